#include "dialogs/ZelkGauge.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>


namespace {

QLabel* AddLabel(QWidget* parent, const QString& text, int left, int top, int width)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);  // a file name is no markup
    label->setGeometry(left, top, width, 16);
    return label;
}

void AddBevel(QWidget* parent, const QRect& rect)
{
    auto* bevel = new QFrame(parent);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setGeometry(rect);
}

}  // namespace

TCompilerDlg::TCompilerDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("CompilerDlg"));
    setWindowTitle(QStringLiteral("Compilieren"));
    setModal(false);
    QFont font(QStringLiteral("Sans Serif"), 8, QFont::Bold);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    setFixedSize(317, 171);

    AddBevel(this, QRect(8, 8, 301, 155));
    AddBevel(this, QRect(16, 52, 285, 103));
    constexpr int Left = 28, ValueLeft = 160, ValueWidth = 130;
    AddLabel(this, QStringLiteral("ZELK-Programm: "), Left - 4, 24, 130);
    DateiLabel = AddLabel(this, QString(), ValueLeft, 24, ValueWidth);
    AddLabel(this, QStringLiteral("Aktuelle Datei: "), Left, 66, 130);
    AktDateiLabel = AddLabel(this, QString(), ValueLeft, 66, ValueWidth);
    AddLabel(this, QStringLiteral("Aktuelle Zeile:"), Left, 94, 130);
    ZeileLabel = AddLabel(this, QStringLiteral("0"), ValueLeft, 94, ValueWidth);
    AddLabel(this, QStringLiteral("Zeilen insgesamt:"), Left, 122, 130);
    LinesLabel = AddLabel(this, QStringLiteral("0"), ValueLeft, 122, ValueWidth);
    DateiLabel->setObjectName(QStringLiteral("DateiLabel"));
    AktDateiLabel->setObjectName(QStringLiteral("AktDateiLabel"));
    ZeileLabel->setObjectName(QStringLiteral("ZeileLabel"));
    LinesLabel->setObjectName(QStringLiteral("LinesLabel"));
}

TCompilerDlg::~TCompilerDlg()
{
    if (&compileProgress() == this)
        setCompileProgress(nullptr);
}

void TCompilerDlg::FormShow()
{
    DateiLabel->clear();
    AktDateiLabel->clear();
    ZeileLabel->setText(QStringLiteral("0"));
    LinesLabel->setText(QStringLiteral("0"));
    LineCount = 0;
}

void TCompilerDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TCompilerDlg::Show()
{
    if (isVisible()) {
        FormShow();  // a translation still starts from nothing
        return;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
}

void TCompilerDlg::SetDateiLabel(const std::string& text)
{
    DateiLabel->setText(QString::fromStdString(text));
    repaint();
}

void TCompilerDlg::SetAktDateiLabel(const std::string& text)
{
    AktDateiLabel->setText(QString::fromStdString(text));
    AktDateiLabel->repaint();
}

void TCompilerDlg::ShowProgress(int line)
{
    ++LineCount;
    if (line % 3 != 0)
        return;
    ZeileLabel->setText(QString::number(line));
    ZeileLabel->repaint();
    LinesLabel->setText(QString::number(LineCount));
    LinesLabel->repaint();
}

void TCompilerDlg::Close() { hide(); }
