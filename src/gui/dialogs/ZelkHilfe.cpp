#include "dialogs/ZelkHilfe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/DialogService.h"

const char* const HilfeDateiName = "Zelk.hlp";

namespace {

// One help window for the whole program; cleared when its owner deletes it.
QPointer<THilfeFenster> hilfeFenster;

QPushButton* AddButton(QHBoxLayout* row, const QString& caption)
{
    auto* button = new QPushButton(caption);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

// Why the manual cannot be shown, for the box; empty when it can be read.
QString Hinderungsgrund(const QString& path)
{
    const QFileInfo info(path);
    const QString wo = QDir::toNativeSeparators(info.absoluteFilePath());
    if (!info.exists())
        return QStringLiteral("Die Hilfedatei wurde nicht gefunden:\n%1\n\n"
                              "Sie gehört in denselben Ordner wie das Programm.")
            .arg(wo);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return QStringLiteral("Die Hilfedatei kann nicht gelesen werden:\n%1").arg(wo);
    return QString();
}

}  // namespace

THilfeFenster::THilfeFenster(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("HilfeFenster"));
    setWindowTitle(QStringLiteral("Zelk - Hilfe"));
    Browser = new QTextBrowser;
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenLinks(true);
    // The manual has no links outside itself; a teacher's own may.
    Browser->setOpenExternalLinks(true);

    auto* row = new QHBoxLayout;
    ZurueckBtn = AddButton(row, QStringLiteral("&Zurück"));
    ZurueckBtn->setObjectName(QStringLiteral("ZurueckBtn"));
    VorBtn = AddButton(row, QStringLiteral("&Vorwärts"));
    VorBtn->setObjectName(QStringLiteral("VorBtn"));
    InhaltBtn = AddButton(row, QStringLiteral("&Inhalt"));
    InhaltBtn->setObjectName(QStringLiteral("InhaltBtn"));
    row->addStretch();
    ZurueckBtn->setEnabled(false);
    VorBtn->setEnabled(false);
    connect(ZurueckBtn, &QPushButton::clicked, Browser, &QTextBrowser::backward);
    connect(VorBtn, &QPushButton::clicked, Browser, &QTextBrowser::forward);
    connect(InhaltBtn, &QPushButton::clicked, this, [this] { InhaltBtnClick(); });
    connect(Browser, &QTextBrowser::backwardAvailable, ZurueckBtn, &QPushButton::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, VorBtn, &QPushButton::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(Browser);
    resize(760, 620);
}

bool THilfeFenster::Laden(const QString& path)
{
    if (!Hinderungsgrund(path).isEmpty())
        return false;
    pfad = QFileInfo(path).absoluteFilePath();
    // The name does not say HTML, so the type is given; the file's own URL
    // lets the manual's links to its chapters resolve within it. The same
    // file again is read anew: it may have been replaced meanwhile.
    const QUrl url = QUrl::fromLocalFile(pfad);
    const bool sameFile = Browser->source().adjusted(QUrl::RemoveFragment) == url;
    Browser->setSource(url, QTextDocument::HtmlResource);
    if (sameFile)
        Browser->reload();  // setSource alone keeps the text it has
    Browser->clearHistory();
    return true;
}

void THilfeFenster::InhaltBtnClick()
{
    if (pfad.isEmpty())
        return;
    QUrl url = QUrl::fromLocalFile(pfad);
    url.setFragment(QStringLiteral("inhalt"));
    Browser->setSource(url, QTextDocument::HtmlResource);
}

QString HilfeDatei(const QString& folder)
{
    const QString dir = folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
    return QDir(dir).filePath(QString::fromLatin1(HilfeDateiName));
}

THilfeFenster* HilfeInhaltZeigen(QWidget* owner, const QString& folder)
{
    const QString path = HilfeDatei(folder);
    const QString grund = Hinderungsgrund(path);
    if (!grund.isEmpty()) {
        dialogs().Show(MsgIcon::Error, "Hilfe", grund.toStdString(), MsgButtons::Ok);
        return nullptr;
    }
    if (!hilfeFenster) {
        hilfeFenster = new THilfeFenster(owner);
        // Without an owner nothing else would ever delete it.
        if (!owner)
            hilfeFenster->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!hilfeFenster->Laden(path))
        return nullptr;
    hilfeFenster->show();
    hilfeFenster->raise();
    hilfeFenster->activateWindow();
    return hilfeFenster;
}
