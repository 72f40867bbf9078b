#include "gui/app/frmAbout.h"

#include "gui/app/Controls.h"
#include "gui/app/Dialogs.h"

#include <QEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace lumvane {

namespace {

/// System information tools of the common desktops, in order of preference.
const char* const kSysInfoTools[] = {
    "hardinfo2",
    "hardinfo",
    "kinfocenter",
    "gnome-system-monitor",
    "mate-system-monitor",
    "xfce4-taskmanager",
};

} // namespace

frmAbout::frmAbout(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
    , m_lblTitle(NewLabel(this, QStringLiteral("lblTitle"), {}))
    , m_lblVersion(NewLabel(this, QStringLiteral("lblVersion"), {}))
    , m_lblDescription(NewLabel(this, QStringLiteral("lblDescription"),
          QStringLiteral("Lumvane measures the brightness of stars on 16-bit FITS images from a CCD camera by "
                         "aperture photometry. Click a star to measure it against your main comparison star, or "
                         "mark the stars of a field once and let the program follow them through a numbered "
                         "patrol series and save their magnitudes with the time of every image.")))
{
    setObjectName(QStringLiteral("frmAbout"));

    QFont titleFont = m_lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);
    QFont description(QStringLiteral("Times New Roman"));
    description.setStyleHint(QFont::Serif);
    description.setPointSizeF(m_lblDescription->font().pointSizeF() * 1.1);
    m_lblDescription->setFont(description);
    m_lblDescription->setWordWrap(true);

    auto* cmdOK = NewButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    auto* cmdSysInfo = NewButton(this, QStringLiteral("cmdSysInfo"), QStringLiteral("&System Info..."));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch(1);

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_lblTitle);
    texts->addWidget(m_lblVersion);
    texts->addWidget(NewLine(this, QStringLiteral("Line1")));
    texts->addWidget(m_lblDescription, 1);
    texts->addWidget(NewLine(this, QStringLiteral("Line2")));

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(texts, 1);
    layout->addLayout(buttons);
    setMinimumWidth(440);

    Form_Load();
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + kProgramTitle);
    m_lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                              .arg(LUMVANE_VERSION_MAJOR)
                              .arg(LUMVANE_VERSION_MINOR)
                              .arg(LUMVANE_VERSION_PATCH));
    m_lblTitle->setText(kProgramTitle);
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    for (const char* tool : kSysInfoTools) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return;
    }
    m_showingMessage = true;
    m_dialogs.Message(QStringLiteral("System Information Is Unavailable At This Time"), kProgramTitle,
        MessageIcon::None, MessageButtons::Ok);
    m_showingMessage = false;
}

void frmAbout::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        Form_LostFocus();
}

void frmAbout::Form_LostFocus()
{
    if (isVisible() && !m_showingMessage)
        close();
}

} // namespace lumvane
