// The instruction table: Emit, its limit of 1000 and forward patching.
#include <QtTest>

#include "execution/ZelkCode.h"

class CodeTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ResetCode(); EmitErrorHook = nullptr; }
    void cleanup() { EmitErrorHook = nullptr; }

    void emitStoresAllFourFieldsAndPatchesForward()
    {
        Emit(opJump, 0, 3, 1);
        Emit(opVor, 0, 4, 1);
        PatchToHere(0);
        QCOMPARE(CodeCount, 2);
        QCOMPARE(int(Code[0].Op), int(opJump));
        QCOMPARE(int(Code[0].Arg), 2);
        QCOMPARE(Code[0].Line, 3);
        QCOMPARE(Code[0].Page, 1);
        QCOMPARE(int(Code[1].Op), int(opVor));
        QCOMPARE(CurrentAddress(), 2);
    }

    void thousandInstructionsFitAndTheNextReportsOnce()
    {
        std::vector<int> errors;
        EmitErrorHook = [&](int code) { errors.push_back(code); };
        Code[MaxCode] = TInstruction{};
        for (int i = 0; i < MaxCode; ++i)
            Emit(opDreheLinks, 0, i, 0);
        QCOMPARE(CodeCount, 1000);
        QVERIFY(errors.empty());
        Emit(opVor, 0, 5000, 0);
        Emit(opVor, 0, 5001, 0);
        QCOMPARE(CodeCount, 1000);
        QCOMPARE(errors.size(), size_t(2));  // the translator's routine keeps only the first
        QCOMPARE(errors[0], 16);
        QCOMPARE(int(Code[MaxCode].Op), int(opTest));  // slot 1000 never written
        QCOMPARE(Code[MaxCode].Line, 0);
    }

    void resetEmptiesBothTables()
    {
        Emit(opVor, 0, 0, 0);
        WorkFieldCount = 3;
        ResetCode();
        QCOMPARE(CodeCount, 0);
        QCOMPARE(WorkFieldCount, 0);
    }

    void opNamesFollowTheInstructionSet()
    {
        QCOMPARE(QString(OpName(opJump)), QString("opJump"));
        QCOMPARE(QString(OpName(opArbeitsfeld)), QString("opArbeitsfeld"));
        QCOMPARE(QString(OpName(12)), QString("opUnknown"));
    }
};

QTEST_APPLESS_MAIN(CodeTest)
#include "code_test.moc"
