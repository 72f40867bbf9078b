#include "gui/profile/ProfilesPanel.h"

#include "core/common/NumberText.h"
#include "core/common/PlotAxis.h"
#include "core/common/Rounding.h"
#include "core/profile/ProfileDataFile.h"
#include "gui/app/Controls.h"
#include "gui/display/PictureView.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPolygonF>
#include <QPushButton>
#include <QTransform>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace lumvane {

namespace {

/// A log profile's curve and value axis.
const QColor kLogColour(0, 0, 200);
/// Tick marks' length and the gap between a tick and its number, pixels.
constexpr int kTick = 3;

/// Pixels of the plot area per unit of the plot's coordinates, and where the
/// coordinates' origin falls: user (x, y) lands at pixel (x, y) * this, the
/// coordinate system filling the data rectangle.
QTransform PlotTransform(const ProfilePlotBounds& bounds, const QRect& data)
{
    const double sx = data.width() / (bounds.right - bounds.left);
    const double sy = data.height() / (bounds.bottom - bounds.top);
    return QTransform(sx, 0.0, 0.0, sy, data.left() - bounds.left * sx, data.top() - bounds.top * sy);
}

/// Ticks on a side of `pixels` with room for a number every `spacing` pixels.
int TickCount(int pixels, int spacing)
{
    return std::max(2, pixels / std::max(spacing, 1));
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

QRect ProfilesPanel::DataRect() const
{
    // Room for the values on either side and the positions below.
    const QFontMetrics metrics(m_pictprof->font());
    const int values = metrics.horizontalAdvance(QStringLiteral("-00000")) + 2 * kTick;
    return m_pictprof->Picture().rect().adjusted(values, metrics.height() / 2, -values, -(metrics.height() + kTick));
}

void ProfilesPanel::Plot(std::span<const float> values, double lineLength, bool logarithm)
{
    QImage& picture = m_pictprof->Picture();
    const QRect area = DataRect();
    if (values.empty() || picture.isNull() || area.width() < 2 || area.height() < 2)
        return;
    const ProfilePlotBounds bounds = ProfilePlotScale(values);
    m_bounds = bounds;
    const QTransform toPixels = PlotTransform(bounds, area);
    const QColor colour = logarithm ? kLogColour : QColor(Qt::black);

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(m_pictprof->font());
    const QFontMetrics metrics(m_pictprof->font());
    // This plot's numbers take the place of the last ones of their axis.
    const QRect valueSide = logarithm ? QRect(area.right() + 1, 0, picture.width(), picture.height())
                                      : QRect(0, 0, area.left(), picture.height());
    painter.fillRect(valueSide, Qt::white);
    painter.fillRect(QRect(0, area.bottom() + 1, picture.width(), picture.height()), Qt::white);

    // The frame and the curve in the plot's coordinates; a cosmetic pen is
    // one pixel wide whatever the scale.
    painter.setTransform(toPixels);
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
    painter.setPen(QPen(colour, 0));
    if (curve.size() == 1)
        painter.drawPoint(curve.front());
    else
        painter.drawPolyline(curve);
    painter.resetTransform();

    // Values on the frame's left side (right for a log profile), in the curve's colour.
    const QPointF frameTopLeft = toPixels.map(topLeft);
    const QPointF frameBottomRight = toPixels.map(bottomRight);
    const double side = logarithm ? frameBottomRight.x() : frameTopLeft.x();
    const int outward = logarithm ? 1 : -1;
    for (const double value :
        TicksWithin(bounds.frameBottom, bounds.frameTop, TickCount(area.height(), 2 * metrics.height()))) {
        const double y = toPixels.map(QPointF(0.0, value)).y();
        painter.drawLine(QPointF(side, y), QPointF(side + outward * kTick, y));
        const QString number = QString::number(value, 'g', 6);
        const int width = metrics.horizontalAdvance(number);
        const double x = logarithm ? area.right() + kTick : area.left() - kTick - width;
        painter.drawText(QPointF(x, y + metrics.ascent() / 2.0), number);
    }
    // Positions along the line below the frame: pixel d is at point d n / length.
    painter.setPen(Qt::black);
    const double pointsPerPixel = static_cast<double>(values.size()) / lineLength;
    for (const double position :
        TicksWithin(0.0, lineLength, TickCount(area.width(), metrics.horizontalAdvance(QStringLiteral("00000"))))) {
        const double x = toPixels.map(QPointF(position * pointsPerPixel, 0.0)).x();
        painter.drawLine(QPointF(x, frameBottomRight.y()), QPointF(x, frameBottomRight.y() + kTick));
        const QString number = QString::number(position, 'g', 6);
        painter.drawText(
            QPointF(x - metrics.horizontalAdvance(number) / 2.0, area.bottom() + kTick + metrics.ascent()), number);
    }
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
        const QTransform toPlot = PlotTransform(*m_bounds, DataRect()).inverted(&invertible);
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
