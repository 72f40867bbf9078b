#include "gui/profile/ProfilesPanel.h"

#include "gui/app/Controls.h"
#include "gui/display/PictureView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumvane {

ProfilesPanel::ProfilesPanel(QWidget* parent)
    : QWidget(parent)
{
    auto* pictprof = new PictureView(this, Qt::white);
    pictprof->setObjectName(QStringLiteral("pictprof"));
    pictprof->setMinimumHeight(160);
    pictprof->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    auto* status = new QGridLayout;
    status->setHorizontalSpacing(4);
    status->addWidget(NewLabel(this, QStringLiteral("Label15"), QStringLiteral("Status")), 0, 0, 1, 2);
    status->addWidget(NewLabel(this, QStringLiteral("Label17"), QStringLiteral("X")), 1, 0);
    status->addWidget(NewReadout(this, QStringLiteral("txtprofstatusX")), 1, 1);
    status->addWidget(NewLabel(this, QStringLiteral("Label18"), QStringLiteral("Value")), 1, 2);
    status->addWidget(NewReadout(this, QStringLiteral("txtprofstatusY")), 1, 3);
    status->setColumnStretch(1, 1);
    status->setColumnStretch(3, 1);

    auto* width = new QGridLayout;
    width->addWidget(NewLabel(this, QStringLiteral("Label9"), QStringLiteral("Profile width")), 0, 0);
    width->addWidget(NewTextBox(this, QStringLiteral("txtprofwidth"), QStringLiteral("1")), 0, 1);
    width->addWidget(
        NewCheckBox(this, QStringLiteral("profcheck"), QStringLiteral("Log Profile"), {}, false), 1, 0, 1, 2);

    auto* buttons = new QGridLayout;
    buttons->addWidget(NewButton(this, QStringLiteral("btnprofplot"), QStringLiteral("Plot Profile")), 0, 0);
    buttons->addWidget(NewButton(this, QStringLiteral("btnprofclear"), QStringLiteral("Clear Profile")), 0, 1);
    buttons->addWidget(NewButton(this, QStringLiteral("btnprofdata"), QStringLiteral("Save Data")), 1, 0);
    buttons->addWidget(NewButton(this, QStringLiteral("btnprofbmp"), QStringLiteral("Save BMP")), 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pictprof, 1);
    layout->addLayout(status);
    layout->addLayout(width);
    layout->addLayout(buttons);
}

} // namespace lumvane
