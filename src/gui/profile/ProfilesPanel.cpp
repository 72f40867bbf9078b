#include "gui/profile/ProfilesPanel.h"

#include "core/common/NumberText.h"
#include "core/common/Rounding.h"
#include "core/profile/ProfileDataFile.h"
#include "gui/app/Controls.h"
#include "gui/display/PictureView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPolygonF>
#include <QPushButton>
#include <QTransform>
#include <QVBoxLayout>

#include <cmath>

namespace lumvane {

namespace {

/// Pixels of the plot area per unit of the plot's coordinates, and where the
/// coordinates' origin falls: user (x, y) lands at pixel (x, y) * this.
QTransform PlotTransform(const ProfilePlotBounds& bounds, QSize area)
{
    const double sx = area.width() / (bounds.right - bounds.left);
    const double sy = area.height() / (bounds.bottom - bounds.top);
    return QTransform(sx, 0.0, 0.0, sy, -bounds.left * sx, -bounds.top * sy);
}

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

ProfilesPanel::ProfilesPanel(QWidget* parent)
    : QWidget(parent)
    , m_pictprof(new PictureView(this, Qt::white))
    , m_txtprofwidth(NewTextBox(this, QStringLiteral("txtprofwidth"), QStringLiteral("1")))
    , m_profcheck(NewCheckBox(this, QStringLiteral("profcheck"), QStringLiteral("Log Profile"), {}, false))
    , m_txtprofstatusX(NewReadout(this, QStringLiteral("txtprofstatusX")))
    , m_txtprofstatusY(NewReadout(this, QStringLiteral("txtprofstatusY")))
    , m_btnprofplot(NewButton(this, QStringLiteral("btnprofplot"), QStringLiteral("Plot Profile")))
    , m_btnprofclear(NewButton(this, QStringLiteral("btnprofclear"), QStringLiteral("Clear Profile")))
    , m_btnprofdata(NewButton(this, QStringLiteral("btnprofdata"), QStringLiteral("Save Data")))
    , m_btnprofbmp(NewButton(this, QStringLiteral("btnprofbmp"), QStringLiteral("Save BMP")))
{
    m_pictprof->setObjectName(QStringLiteral("pictprof"));
    m_pictprof->setMinimumHeight(160);
    m_pictprof->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    auto* status = new QGridLayout;
    status->setHorizontalSpacing(4);
    status->addWidget(NewLabel(this, QStringLiteral("Label15"), QStringLiteral("Status")), 0, 0, 1, 2);
    status->addWidget(NewLabel(this, QStringLiteral("Label17"), QStringLiteral("X")), 1, 0);
    status->addWidget(m_txtprofstatusX, 1, 1);
    status->addWidget(NewLabel(this, QStringLiteral("Label18"), QStringLiteral("Value")), 1, 2);
    status->addWidget(m_txtprofstatusY, 1, 3);
    status->setColumnStretch(1, 1);
    status->setColumnStretch(3, 1);

    auto* width = new QGridLayout;
    width->addWidget(NewLabel(this, QStringLiteral("Label9"), QStringLiteral("Profile width")), 0, 0);
    width->addWidget(m_txtprofwidth, 0, 1);
    width->addWidget(m_profcheck, 1, 0, 1, 2);

    auto* buttons = new QGridLayout;
    buttons->addWidget(m_btnprofplot, 0, 0);
    buttons->addWidget(m_btnprofclear, 0, 1);
    buttons->addWidget(m_btnprofdata, 1, 0);
    buttons->addWidget(m_btnprofbmp, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pictprof, 1);
    layout->addLayout(status);
    layout->addLayout(width);
    layout->addLayout(buttons);

    connect(m_btnprofclear, &QPushButton::clicked, this, &ProfilesPanel::btnprofclear_Click);
    connect(m_pictprof, &PictureView::MouseMove, this, &ProfilesPanel::pictprof_MouseMove);
}

ProfileSettings ProfilesPanel::Settings() const
{
    return { ProfileWidth(m_txtprofwidth->text().toStdString()), m_profcheck->isChecked() };
}

const QImage& ProfilesPanel::PlotPicture() const
{
    return m_pictprof->Picture();
}

void ProfilesPanel::Plot(std::span<const float> values)
{
    QImage& picture = m_pictprof->Picture();
    if (values.empty() || picture.isNull())
        return;
    const ProfilePlotBounds bounds = ProfilePlotScale(values);
    m_bounds = bounds;

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setTransform(PlotTransform(bounds, picture.size()));
    // A cosmetic pen: one pixel wide whatever the scale.
    painter.setPen(QPen(Qt::black, 0));

    const QPointF topLeft(bounds.frameLeft, bounds.frameTop);
    const QPointF topRight(bounds.frameRight, bounds.frameTop);
    const QPointF bottomLeft(bounds.frameLeft, bounds.frameBottom);
    const QPointF bottomRight(bounds.frameRight, bounds.frameBottom);
    painter.drawLine(topLeft, bottomLeft);
    painter.drawLine(bottomLeft, bottomRight);
    painter.drawLine(topRight, bottomRight);
    painter.drawLine(topLeft, topRight);

    // Point i (from 1) at x = i.
    QPolygonF curve;
    curve.reserve(static_cast<qsizetype>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        curve.append(QPointF(static_cast<double>(i + 1), values[i]));
    if (curve.size() == 1)
        painter.drawPoint(curve.front());
    else
        painter.drawPolyline(curve);
    painter.end();
    m_pictprof->update();
}

void ProfilesPanel::btnprofclear_Click()
{
    m_pictprof->Clear();
}

void ProfilesPanel::pictprof_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPointF position)
{
    // Before the first plot the area's coordinates are its pixels.
    QPointF point = position;
    if (m_bounds) {
        bool invertible = false;
        const QTransform toPlot = PlotTransform(*m_bounds, m_pictprof->Picture().size()).inverted(&invertible);
        if (!invertible)
            return;
        point = toPlot.map(position);
    }
    // The position as single values, as the mouse hands it over.
    const float x = ToSingle(point.x());
    const float y = ToSingle(point.y());
    m_txtprofstatusX->setText(Text(NumberText(FlooredToTenths(x))));
    m_txtprofstatusY->setText(Text(NumberText(std::floor(y))));
}

} // namespace lumvane
