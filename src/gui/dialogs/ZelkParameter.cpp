#include "dialogs/ZelkParameter.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <algorithm>
#include <cmath>

#include "platform/Colors.h"
#include "platform/DialogService.h"
#include "platform/Einstellungen.h"
#include "platform/Hints.h"
#include "platform/FormLabel.h"
#include "language/ZelkKey.h"
#include "settings/ZelkSettings.h"

namespace {

// The settings keep a font's height as a negative pixel height. Qt's font
// dialog answers in points, which the screen turns into pixels.
std::int32_t FontHeightOf(const QFont& font)
{
    int pixels = font.pixelSize();
    if (pixels <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        pixels = int(std::lround(std::max(0.0, font.pointSizeF()) * dpi / 72.0));
    }
    return -std::clamp(pixels, 1, 500);
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption,
                       const QRect& place)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    button->setAutoDefault(false);
    return button;
}

QGroupBox* AddGroup(QWidget* parent, const QString& caption, const QRect& place)
{
    auto* group = new QGroupBox(caption, parent);
    group->setGeometry(place);
    return group;
}

QWidget* AddPage(QTabWidget* pages, const char* name, const QString& caption)
{
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, caption);
    return page;
}

// A thin sunken panel that shows a colour as its sample.
QFrame* AddSample(QWidget* parent, const char* name, const QRect& place)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(place);
    panel->setAutoFillBackground(true);
    return panel;
}

void ShowColour(QFrame* panel, std::int32_t colour)
{
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, ToQColor(colour));
    panel->setPalette(palette);
}

}  // namespace

TOptionenDlg::TOptionenDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      FontDialog1(8)  // Courier New 8, 11 pixels on a common screen
{
    setObjectName(QStringLiteral("OptionenDlg"));
    setWindowTitle(QStringLiteral("ZELK-Optionen"));
    setModal(true);
    setFont(FormSchrift(8, true));
    setFixedSize(392, 218);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(8, 8, 289, 202);
    CreateCompilerPage();
    CreateEditorPage();
    CreateArbeitsfeldPage();
    PageControl1->setCurrentIndex(0);
    CreateButtons();
    DescribeControls();

    FormCreate();
    ConnectControls();
}

TOptionenDlg::~TOptionenDlg() = default;

// What a screen reader says about each control; the dialog itself shows no
// hints.
void TOptionenDlg::DescribeControls()
{
    Describe(OKBtn, QStringLiteral("Schließt das Fenster. Jede Änderung gilt schon."));
    Describe(CancelBtn, QStringLiteral("Schließt das Fenster. Jede Änderung gilt schon."));
    Describe(HelpBtn, QStringLiteral("Zu diesem Fenster gibt es keine Hilfe."));
    Describe(UnderscoreBtn,
             QStringLiteral("Zweiteilige Roboterwörter werden mit Unterstrich geschrieben, "
                            "zum Beispiel DREHE_LINKS."));
    Describe(UnderscoreBtn2,
             QStringLiteral("Zweiteilige Roboterwörter werden zusammen geschrieben, "
                            "zum Beispiel DREHELINKS."));
    Describe(AutoIndentBox,
             QStringLiteral("Eine neue Zeile im Editor beginnt so weit eingerückt wie die vorige."));
    Describe(SyntaxfarbenBox,
             QStringLiteral("Der Editor zeigt Schlüsselwörter, Befehle und Tests, Kommentare und Zahlen "
                            "in eigenen Farben."));
    Describe(TabsetEdit,
             QStringLiteral("So viele Leerzeichen fügt die Tabulatortaste im Editor ein."),
             QStringLiteral("Tabulatorweite"));
    Describe(Button1, QStringLiteral("Wählt Schriftart und Schriftfarbe für neue Editorseiten."));
    Describe(Button2, QStringLiteral("Wählt die Farbe der Gitterlinien und des Rands im Arbeitsfeld."));
    Describe(Button3, QStringLiteral("Wählt die Farbe der Hindernisse im Arbeitsfeld."));
}

void TOptionenDlg::CreateButtons()
{
    OKBtn = AddButton(this, "OKBtn", QStringLiteral("OK"), QRect(305, 30, 77, 27));
    OKBtn->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    OKBtn->setDefault(true);
    CancelBtn = AddButton(this, "CancelBtn", QStringLiteral("Abbrechen"), QRect(305, 64, 77, 27));
    CancelBtn->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    // No help topic belongs to the dialog: the button is there and does nothing.
    HelpBtn = AddButton(this, "HelpBtn", QStringLiteral("&Hilfe"), QRect(305, 98, 77, 27));
    HelpBtn->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    // Both only close: every change has taken effect already.
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TOptionenDlg::CreateCompilerPage()
{
    TabSheet1 = AddPage(PageControl1, "TabSheet1", QStringLiteral("Compiler"));
    QGroupBox* compiler = AddGroup(TabSheet1, QStringLiteral("Compiler"), QRect(8, 8, 265, 150));
    QGroupBox* frame =
        AddGroup(compiler, QStringLiteral("Anweisungen und Sensoren"), QRect(12, 26, 241, 82));
    UnderscoreBtn = new QRadioButton(QStringLiteral("mit Unterstrich (z.B. nimm_auf)"), frame);
    UnderscoreBtn->setObjectName(QStringLiteral("UnderscoreBtn"));
    UnderscoreBtn->setGeometry(12, 24, 221, 20);
    UnderscoreBtn2 = new QRadioButton(QStringLiteral("ohne Unterstrich (z.B. nimmAuf)"), frame);
    UnderscoreBtn2->setObjectName(QStringLiteral("UnderscoreBtn2"));
    UnderscoreBtn2->setGeometry(12, 50, 221, 20);
}

void TOptionenDlg::CreateEditorPage()
{
    TabSheet2 = AddPage(PageControl1, "TabSheet2", QStringLiteral("Editor"));
    QGroupBox* editor = AddGroup(TabSheet2, QStringLiteral("Editor"), QRect(8, 8, 265, 150));
    AutoIndentBox = new QCheckBox(QStringLiteral("AutoIndent"), editor);
    AutoIndentBox->setObjectName(QStringLiteral("AutoIndentBox"));
    // The caption stands left of the box.
    AutoIndentBox->setLayoutDirection(Qt::RightToLeft);
    AutoIndentBox->move(12, 28);
    AutoIndentBox->adjustSize();
    Label1 = FormLabel(editor, "Label1", QStringLiteral("Tabulatorweite"), 12, 66, font());
    TabsetEdit = new QSpinBox(editor);
    TabsetEdit->setObjectName(QStringLiteral("TabsetEdit"));
    TabsetEdit->setRange(0, 10);
    TabsetEdit->setGeometry(130, 62, 49, 24);
    Label2 = FormLabel(editor, "Label2", QStringLiteral("Schriftart"), 12, 106, font());
    Button1 = AddButton(editor, "Button1", QStringLiteral("Fontauswahl.."), QRect(130, 100, 113, 27));
    // In the free row below the font button, its caption left of the box
    // as AutoIndent's is.
    SyntaxfarbenBox = new QCheckBox(QStringLiteral("Programmtext farbig"), editor);
    SyntaxfarbenBox->setObjectName(QStringLiteral("SyntaxfarbenBox"));
    SyntaxfarbenBox->setLayoutDirection(Qt::RightToLeft);
    SyntaxfarbenBox->move(12, 129);
    SyntaxfarbenBox->adjustSize();
}

void TOptionenDlg::CreateArbeitsfeldPage()
{
    TabSheet3 = AddPage(PageControl1, "TabSheet3", QStringLiteral("Arbeitsfeld"));
    QGroupBox* feld = AddGroup(TabSheet3, QStringLiteral("Arbeitsfeld"), QRect(8, 8, 265, 150));
    FormLabel(feld, "Label3", QStringLiteral("Farben"), 12, 28, font());
    Button2 = AddButton(feld, "Button2", QStringLiteral("Wände.."), QRect(12, 56, 113, 27));
    Button3 = AddButton(feld, "Button3", QStringLiteral("Hindernisse.."), QRect(140, 56, 113, 27));
    WallPanel = AddSample(feld, "WallPanel", QRect(12, 90, 113, 8));
    BarrierPanel = AddSample(feld, "BarrierPanel", QRect(140, 90, 113, 8));
}

void TOptionenDlg::FormCreate()
{
    OptionenLesen();  // also builds the keyword table for the spelling read
    UnderscoreBtn->setChecked(Underscore);
    UnderscoreBtn2->setChecked(!Underscore);
    AutoIndentBox->setChecked(Autoindent);
    SyntaxfarbenBox->setChecked(Syntaxfarben);
    // The spin edit shows what it can; the setting keeps its value (a tab
    // character, -1, say) until the user changes the control.
    TabsetEdit->setValue(std::clamp(int(Tabset), 0, 10));
    ShowColour(WallPanel, Wallcolor);
    ShowColour(BarrierPanel, Barriercolor);
}

// Connected only after FormCreate has set the controls, so that setting a
// control never changes a setting. Every later change of a control's state
// counts, however it came: a click, the arrow keys in the radio group, or
// the toggle action of a screen reader or voice control. Of the two radio
// buttons only the one turned on acts, so one change is applied once.
void TOptionenDlg::ConnectControls()
{
    connect(UnderscoreBtn, &QRadioButton::toggled, this, [this](bool an) {
        if (an)
            UnderscoreBtnClick();
    });
    connect(UnderscoreBtn2, &QRadioButton::toggled, this, [this](bool an) {
        if (an)
            UnderscoreBtn2Click();
    });
    connect(AutoIndentBox, &QCheckBox::toggled, this, [this] { AutoIndentBoxClick(); });
    connect(SyntaxfarbenBox, &QCheckBox::toggled, this, [this] { SyntaxfarbenBoxClick(); });
    connect(TabsetEdit, &QSpinBox::valueChanged, this, [this] { TabsetEditChange(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
}

void TOptionenDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    OKBtn->setFocus();
}

void TOptionenDlg::UnderscoreBtnClick()
{
    Underscore = true;
    RebuildKeyTable();
    emit ProgrammtextFarbenGeaendert();
}

void TOptionenDlg::UnderscoreBtn2Click()
{
    Underscore = false;
    RebuildKeyTable();
    emit ProgrammtextFarbenGeaendert();
}

void TOptionenDlg::AutoIndentBoxClick() { Autoindent = AutoIndentBox->isChecked(); }

void TOptionenDlg::SyntaxfarbenBoxClick()
{
    Syntaxfarben = SyntaxfarbenBox->isChecked();
    emit ProgrammtextFarbenGeaendert();
}

void TOptionenDlg::TabsetEditChange() { Tabset = static_cast<std::int8_t>(TabsetEdit->value()); }

// Qt's font dialog knows neither colour nor character set: the colour comes
// from a colour dialog right after it, and the character set read from the
// settings file is kept as it was, to be written back unchanged. A
// cancelled colour dialog changes no colour.
void TOptionenDlg::Button1Click()
{
    bool farbe = false;
    if (!FontDialog1.ExecuteWithColor(this, &farbe))
        return;
    Fontheight = FontHeightOf(FontDialog1.Font);
    Fontname = FontDialog1.Font.family().toStdString();
    if (farbe)
        Fontcolor = FontDialog1.Color;
}

void TOptionenDlg::Button2Click() { ChooseColour(Wallcolor, WallPanel); }

void TOptionenDlg::Button3Click() { ChooseColour(Barriercolor, BarrierPanel); }

// Both colour buttons share one dialog, which opens with the last colour
// chosen in it, whichever button that was.
void TOptionenDlg::ChooseColour(std::int32_t& setting, QFrame* sample)
{
    if (!ColorDialog1.Execute(this))
        return;
    setting = ColorDialog1.Color;
    ShowColour(sample, setting);
    // The work field view draws into a picture of its own; it takes the new
    // colours now rather than wherever the next action happens to draw.
    emit FarbenGeaendert();
}

TOptionenDlg* CreateOptionenDlg(QWidget* owner)
{
    auto* dialog = new TOptionenDlg(owner);
    dialog->hide();
    return dialog;
}

void ShowOptionenDlg(TOptionenDlg* dialog)
{
    // Made at start-up only: making it later would read the file again and
    // throw away the changes made since.
    if (dialog)
        dialog->exec();
}
