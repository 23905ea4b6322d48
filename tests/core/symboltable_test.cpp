// The symbol table: qualified names, the USES list order and the check
// that every interface name has been implemented.
#include <QtTest>

#include "language/ZelkBezTabelle.h"

class SymbolTableTest : public QObject {
    Q_OBJECT
private slots:
    void insertKeepsOrderAndRefusesRepeats()
    {
        TBezTab table;
        TObjekt* q = table.InsertName("Main.QUADRAT");
        QVERIFY(q);
        QCOMPARE(q->Address, 0);
        QVERIFY(!q->IsProcedure);
        QVERIFY(table.InsertName("MAIN.QUADRAT"));  // a unit called MAIN is another name space
        QVERIFY(!table.InsertName("Main.QUADRAT"));
        QCOMPARE(table.Count(), 2);
        QCOMPARE(table.Item(1).Name, std::string("MAIN.QUADRAT"));
        QCOMPARE(table.FindName("Main.QUADRAT"), q);
        QVERIFY(!table.FindName("Main.quadrat"));
    }

    void usesListOrderDecidesAndOwnNamesWin()
    {
        TBezTab table;
        TObjekt* ax = table.InsertName("A.X");
        TObjekt* bx = table.InsertName("B.X");
        table.InsertName("C.Y");
        const std::vector<std::string> ab{"A", "B"}, ba{"B", "A"}, onlyB{"B"};
        QCOMPARE(table.FindName("Main.X", &ab), ax);
        QCOMPARE(table.FindName("Main.X", &ba), bx);
        QCOMPARE(table.FindName("D.X", &onlyB), bx);
        QVERIFY(!table.FindName("Main.Y", &ab));  // C is not in the list
        QVERIFY(!table.FindName("Main.X"));        // no list, no unit names
        TObjekt* own = table.InsertName("Main.X");
        QCOMPARE(table.FindName("Main.X", &ab), own);
    }

    void allImplementedLooksForAddressMinusOne()
    {
        TBezTab table;
        QVERIFY(table.AllImplemented());
        TObjekt* x = table.InsertName("U.X");
        x->Address = -1;
        QVERIFY(!table.AllImplemented());
        x->Address = 7;
        QVERIFY(table.AllImplemented());
    }
};

QTEST_APPLESS_MAIN(SymbolTableTest)
#include "symboltable_test.moc"
