#include "dialogs/ZelkAbout.h"

#include "platform/FormLabel.h"

#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>


static void LadeAboutBilder() { Q_INIT_RESOURCE(icons); }

namespace {

// A label that takes the size of its text, in black.
QLabel* TextLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                  int points)
{
    return FormLabel(parent, name, text, left, top, FormSchrift(points, true));
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    LadeAboutBilder();
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Infos"));
    setModal(true);
    QFont font(QStringLiteral("System"), 10);
    font.setStyleHint(QFont::System);
    setFont(font);
    setFixedSize(391, 224);

    // Raised inside, lowered outside: a panel that stands on a sunken rim.
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 377, 169);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    auto* inner = new QFrame(Panel1);
    inner->setGeometry(1, 1, 375, 167);
    inner->setFrameStyle(QFrame::Panel | QFrame::Raised);
    inner->setLineWidth(1);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(34, 10, 31, 31);
    ProgramIcon->setPixmap(QIcon(QStringLiteral(":/icons/zelk.svg")).pixmap(31, 31));
    ProgramIcon->setScaledContents(true);

    ProductName = TextLabel(Panel1, "ProductName", QStringLiteral("ZELK - der Roboter"), 114, 8, 12);
    Version = TextLabel(Panel1, "Version", QStringLiteral("Version 2.0"), 156, 24, 8);
    Comments = TextLabel(Panel1, "Comments",
                         QStringLiteral("Programmierumgebung mit Compiler und Editor "), 48, 136, 8);
    Comments->setWordWrap(true);
    Comments->setFixedWidth(262);
    Comments->adjustSize();

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    OKButton->setFont(FormSchrift(8, true));
    OKButton->setGeometry(157, 186, 77, 27);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    OKButton->setFocus();
}

TAboutBox* CreateAboutBox(QWidget* owner)
{
    auto* box = new TAboutBox(owner);
    box->hide();
    return box;
}

void ShowAboutBox(TAboutBox* box)
{
    if (!box)
        return;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), box->size());
        frame.moveCenter(screen->availableGeometry().center());
        box->move(frame.topLeft());
    }
    box->exec();
}
