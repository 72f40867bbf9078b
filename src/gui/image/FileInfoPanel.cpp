#include "gui/image/FileInfoPanel.h"

#include "core/app/FileNameText.h"
#include "core/common/NumberText.h"
#include "gui/app/Controls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumvane {

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

FileInfoPanel::FileInfoPanel(QWidget* parent)
    : QWidget(parent)
    , m_lblfilename(NewValueLabel(this, QStringLiteral("lblfilename")))
    , m_lbln1(NewValueLabel(this, QStringLiteral("lbln1")))
    , m_lbln2(NewValueLabel(this, QStringLiteral("lbln2")))
    , m_lblexpt(NewValueLabel(this, QStringLiteral("lblexpt")))
    , m_lbldate(NewValueLabel(this, QStringLiteral("lbldate")))
    , m_lbltime(NewValueLabel(this, QStringLiteral("lbltime")))
    , m_lbltemper(NewValueLabel(this, QStringLiteral("lbltemper")))
    , m_lblfilter(NewValueLabel(this, QStringLiteral("lblfilter")))
    , m_lblhistory(NewValueLabel(this, QStringLiteral("lblhistory")))
    , m_btnHeader(NewButton(this, QStringLiteral("btnHeader"), QStringLiteral("View Header"),
          QStringLiteral("See FITS header in NOTES panel")))
    , m_btnInfoHelp(NewButton(this, QStringLiteral("btnInfoHelp"), QStringLiteral("Help")))
{
    auto* size = new QHBoxLayout;
    size->addWidget(m_lbln1, 1);
    size->addWidget(NewLabel(this, QStringLiteral("Label35"), QStringLiteral("X")));
    size->addWidget(m_lbln2, 1);

    auto* values = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString& name, const QString& caption, QLayoutItem* value) {
        QLabel* label = NewLabel(this, name, caption);
        values->addWidget(label, row, 0);
        values->addItem(value, row++, 1, 1, 1, Qt::AlignVCenter);
        return label;
    };
    addRow(QStringLiteral("Label36"), QStringLiteral("File"), new QWidgetItem(m_lblfilename));
    addRow(QStringLiteral("Label34"), QStringLiteral("Size (px)"), size);
    QLabel* exposure
        = addRow(QStringLiteral("Label33"), QStringLiteral("Exposure time (s)"), new QWidgetItem(m_lblexpt));
    addRow(QStringLiteral("Label32"), QStringLiteral("Date"), new QWidgetItem(m_lbldate));
    addRow(QStringLiteral("Label31"), QStringLiteral("Time"), new QWidgetItem(m_lbltime));
    addRow(QStringLiteral("Label30"), QStringLiteral("Temperature"), new QWidgetItem(m_lbltemper));
    addRow(QStringLiteral("Label29"), QStringLiteral("Filter"), new QWidgetItem(m_lblfilter));
    addRow(QStringLiteral("Label28"), QStringLiteral("History"), new QWidgetItem(m_lblhistory));
    // The longest caption takes two lines, leaving the values room to show.
    exposure->setWordWrap(true);
    exposure->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Temperature ")));
    values->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnHeader);
    buttons->addStretch(1);
    buttons->addWidget(m_btnInfoHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(values);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->addStretch(1);
}

void FileInfoPanel::ShowFileInfo(const HeaderValues& header, const FileEntry& entry)
{
    m_lblfilename->setText(Text(ListedFileName(entry.name)));
    m_lbln1->setText(Text(NumberText(std::int64_t { header.naxis1 })));
    m_lbln2->setText(Text(NumberText(std::int64_t { header.naxis2 })));
    m_lblexpt->setText(Text(NumberText(std::int64_t { header.exposure })));
    m_lbltemper->setText(Text(NumberText(header.temperature)));
    m_lbldate->setText(Text(header.date));
    m_lbltime->setText(Text(header.time));
    m_lblhistory->setText(Text(header.history));
    m_lblfilter->setText(Text(header.filter));
}

} // namespace lumvane
