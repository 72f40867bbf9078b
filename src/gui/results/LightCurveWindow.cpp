#include "gui/results/LightCurveWindow.h"

#include "core/common/FileWrite.h"
#include "core/photometry/StarSlots.h"
#include "core/results/ExportText.h"
#include "core/results/SeriesSummary.h"
#include "gui/app/Dialogs.h"
#include "gui/results/ComparisonTable.h"

#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace lumvane {
namespace {

constexpr double kPointRadius = 3.0;
constexpr double kVariableRadius = 4.0;
constexpr double kHoverRadius = 6.0;
constexpr double kGap = 6.0; // pixels between labels, ticks and titles

/// The variables' colours, Var 1 .. Var 4.
const QColor kVariableColours[] = { QColor(200, 0, 0), QColor(0, 70, 220), QColor(0, 150, 0), QColor(170, 0, 170) };
/// St1 and the comparison stars St 2 .. St 19: colours of high contrast to one
/// another and to the variables' (after Kelly's list), St1 in black.
const QColor kComparisonColours[] = { QColor(0x22, 0x22, 0x22), QColor(0xF3, 0x84, 0x00), QColor(0x00, 0x9E, 0x9E),
    QColor(0x88, 0x2D, 0x17), QColor(0xA1, 0xCA, 0xF1), QColor(0xE6, 0x8F, 0xAC), QColor(0x8D, 0xB6, 0x00),
    QColor(0x60, 0x4E, 0x97), QColor(0xC2, 0xB2, 0x80), QColor(0xF3, 0xC3, 0x00), QColor(0x84, 0x84, 0x82),
    QColor(0xB3, 0x44, 0x6C), QColor(0x65, 0x45, 0x22), QColor(0xF9, 0x93, 0x79), QColor(0x2B, 0x3D, 0x26),
    QColor(0xE2, 0x58, 0x22), QColor(0x87, 0x56, 0x92), QColor(0xDC, 0xD3, 0x00), QColor(0xF6, 0xA6, 0x00) };

QColor SlotColour(int slot)
{
    return slot >= kVar1Slot ? kVariableColours[slot - kVar1Slot] : kComparisonColours[slot];
}

/// Decimals that tell the ticks of an axis apart.
int Decimals(const PlotAxis& axis)
{
    return std::max(0, static_cast<int>(-std::floor(std::log10(axis.step) + 1e-9)));
}

/// The summary table's columns.
enum SummaryColumn { kStar, kVaries, kChiSquare, kMean, kScatter, kMeanError, kMeasured, kSaturated, kUnmeasured };

/// A cell that shows `text` and sorts by `value`.
QStandardItem* SummaryItem(const QString& text, const QVariant& value)
{
    auto* item = new QStandardItem(text);
    item->setData(value, Qt::UserRole);
    item->setEditable(false);
    return item;
}

QStandardItem* NumberItem(const std::optional<double>& value, int decimals)
{
    // A value that does not exist sorts below every number.
    return value ? SummaryItem(QString::number(*value, 'f', decimals), *value)
                 : SummaryItem(QStringLiteral("na"), -std::numeric_limits<double>::infinity());
}

} // namespace

/// @brief The plot area: axes, error bars, points and a legend beside them,
/// painted from the window's curve at the widget's size.
class LightCurvePlot : public QWidget {
public:
    explicit LightCurvePlot(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("pictlightcurve"));
        setMinimumSize(480, 320);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    LightCurve m_curve;
    int m_checkSlot = 1;
    QString m_magnitudeTitle;
    std::function<QString(QPointF)> m_toolTip;
    std::function<void(QPointF)> m_clicked;

    LightCurveLayout Layout(const QFontMetricsF& metrics) const
    {
        PlotMargins margins;
        margins.top = metrics.height() / 2 + kGap;
        margins.bottom = 2 * metrics.height() + 2 * kGap;
        // The legend's widest label beside its marker.
        double legend = 0.0;
        for (const LightCurveSeries& series : m_curve.series)
            legend = std::max(legend, metrics.horizontalAdvance(LegendLabel(series.slot)));
        margins.right = legend + 4 * kGap + 2 * kVariableRadius;
        // The y labels' widest and the title turned on its side left of them.
        const LightCurveLayout first = LayoutLightCurve(m_curve, width(), height(), margins);
        double labels = 0.0;
        for (const double tick : first.yAxis.ticks)
            labels = std::max(labels, metrics.horizontalAdvance(QString::number(tick, 'f', Decimals(first.yAxis))));
        margins.left = metrics.height() + labels + 3 * kGap;
        return LayoutLightCurve(m_curve, width(), height(), margins);
    }

    QString LegendLabel(int slot) const
    {
        const QString label = QString::fromStdString(StarLabel(slot));
        return slot == m_checkSlot ? label + QStringLiteral(" (check)") : label;
    }

    void Paint(QPainter& painter) const
    {
        painter.setFont(font());
        painter.fillRect(rect(), Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        const QFontMetricsF metrics(painter.font());
        const LightCurveLayout layout = Layout(metrics);
        const QRectF frame(QPointF(layout.left, layout.top), QPointF(layout.right, layout.bottom));

        painter.setPen(Qt::black);
        painter.drawRect(frame);
        const int xDecimals = Decimals(layout.xAxis);
        for (const double tick : layout.xAxis.ticks) {
            const double x = layout.PixelX(tick + layout.xOrigin);
            painter.drawLine(QPointF(x, layout.bottom), QPointF(x, layout.bottom - 4));
            const QString label = QString::number(tick, 'f', xDecimals);
            painter.drawText(
                QPointF(x - metrics.horizontalAdvance(label) / 2, layout.bottom + kGap + metrics.ascent()), label);
        }
        const int yDecimals = Decimals(layout.yAxis);
        for (const double tick : layout.yAxis.ticks) {
            const double y = layout.PixelY(tick);
            painter.drawLine(QPointF(layout.left, y), QPointF(layout.left + 4, y));
            const QString label = QString::number(tick, 'f', yDecimals);
            painter.drawText(QPointF(layout.left - kGap - metrics.horizontalAdvance(label),
                                 y + (metrics.ascent() - metrics.descent()) / 2),
                label);
        }
        const QString xTitle = m_curve.byJulianDate
            ? QStringLiteral("Julian Date - %1").arg(QString::number(layout.xOrigin, 'f', 0))
            : QStringLiteral("File number");
        painter.drawText(QPointF((layout.left + layout.right - metrics.horizontalAdvance(xTitle)) / 2,
                             layout.bottom + 2 * kGap + metrics.height() + metrics.ascent()),
            xTitle);
        // The magnitude's title reads upwards along the left edge.
        painter.save();
        painter.translate(kGap / 2 + metrics.ascent(), (layout.top + layout.bottom) / 2);
        painter.rotate(-90.0);
        painter.drawText(QPointF(-metrics.horizontalAdvance(m_magnitudeTitle) / 2, 0), m_magnitudeTitle);
        painter.restore();

        // The comparison stars first, so that the variables lie on top.
        painter.setClipRect(frame);
        for (const bool variables : { false, true })
            for (const LightCurveSeries& series : m_curve.series) {
                if ((series.slot >= kVar1Slot) != variables)
                    continue;
                const QColor colour = SlotColour(series.slot);
                const double radius = variables ? kVariableRadius : kPointRadius;
                for (const LightCurvePoint& point : series.points) {
                    const double x = layout.PixelX(point.x);
                    painter.setPen(colour);
                    painter.drawLine(QPointF(x, layout.PixelY(point.magnitude - point.error)),
                        QPointF(x, layout.PixelY(point.magnitude + point.error)));
                    // A saturated point is a limit, not a measurement: hollow.
                    painter.setBrush(point.saturated ? QBrush(Qt::white) : QBrush(colour));
                    painter.drawEllipse(QPointF(x, layout.PixelY(point.magnitude)), radius, radius);
                }
            }
        painter.setClipping(false);

        // The legend, right of the axes.
        double y = layout.top;
        for (const LightCurveSeries& series : m_curve.series) {
            const QColor colour = SlotColour(series.slot);
            const double x = layout.right + 2 * kGap;
            painter.setPen(colour);
            painter.setBrush(colour);
            painter.drawEllipse(QPointF(x + kVariableRadius, y + metrics.height() / 2), kPointRadius, kPointRadius);
            painter.setPen(Qt::black);
            painter.drawText(QPointF(x + 2 * kVariableRadius + kGap, y + metrics.ascent()), LegendLabel(series.slot));
            y += metrics.height();
        }
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        Paint(painter);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_clicked(event->position());
    }

    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip) {
            auto* help = static_cast<QHelpEvent*>(event);
            const QString text = m_toolTip(help->pos());
            if (text.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), text, this);
            return true;
        }
        return QWidget::event(event);
    }
};

LightCurveWindow::LightCurveWindow(Dialogs& dialogs, const Session& session,
    std::function<ResultsFileSettings()> settings, ComparisonTable& comparisons, const QString& folder, QWidget* parent)
    // A tool window of the main window: it stays above it while open.
    : QWidget(parent, Qt::Tool)
    , m_dialogs(dialogs)
    , m_session(session)
    , m_settings(std::move(settings))
    , m_comparisons(comparisons)
    , m_folder(folder)
    , m_cbodiaphragm(new QComboBox)
    , m_cbomagnitudes(new QComboBox)
    , m_cbocheck(new QComboBox)
    , m_plot(new LightCurvePlot(this))
    , m_summary(new QStandardItemModel(this))
    , m_sortedSummary(new QSortFilterProxyModel(this))
    , m_tblsummary(new QTableView)
{
    setObjectName(QStringLiteral("frmLightCurve"));
    setWindowTitle(QStringLiteral("Light Curve"));

    m_cbodiaphragm->setObjectName(QStringLiteral("cbodiaphragm"));
    m_cbomagnitudes->setObjectName(QStringLiteral("cbomagnitudes"));
    m_cbomagnitudes->addItems({ QStringLiteral("Relative to St1"), QStringLiteral("Ensemble") });
    m_cbocheck->setObjectName(QStringLiteral("cbocheck"));
    for (int slot = 1; slot < kVar1Slot; ++slot)
        m_cbocheck->addItem(QString::fromStdString(StarLabel(slot)), slot);
    m_cbocheck->addItem(QStringLiteral("none"), -1);
    auto* btnsavepng = new QPushButton(QStringLiteral("Save PNG"));
    btnsavepng->setObjectName(QStringLiteral("btnsavepng"));

    m_summary->setHorizontalHeaderLabels(
        { QStringLiteral("Star"), QStringLiteral("Varies"), QStringLiteral("Chi\u00B2/dof"), QStringLiteral("Mean"),
            QStringLiteral("Scatter"), QStringLiteral("Mean error"), QStringLiteral("Measured"),
            QStringLiteral("Saturated"), QStringLiteral("Unmeasured") });
    m_sortedSummary->setSourceModel(m_summary);
    m_sortedSummary->setSortRole(Qt::UserRole);
    m_tblsummary->setObjectName(QStringLiteral("tblsummary"));
    m_tblsummary->setModel(m_sortedSummary);
    m_tblsummary->setSortingEnabled(true);
    m_tblsummary->sortByColumn(kStar, Qt::AscendingOrder);
    m_tblsummary->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tblsummary->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tblsummary->verticalHeader()->hide();
    m_tblsummary->verticalHeader()->setDefaultSectionSize(m_tblsummary->fontMetrics().height() + 4);
    m_tblsummary->setToolTip(QStringLiteral("Each star over the series. Chi\u00B2/dof: how much its magnitudes "
                                            "scatter beyond their errors; a star varies when a constant star "
                                            "would scatter so much less than once in a thousand series"));

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("Diaphragm")));
    controls->addWidget(m_cbodiaphragm);
    controls->addSpacing(12);
    controls->addWidget(new QLabel(QStringLiteral("Magnitudes")));
    controls->addWidget(m_cbomagnitudes);
    controls->addSpacing(12);
    controls->addWidget(new QLabel(QStringLiteral("Check star")));
    controls->addWidget(m_cbocheck);
    controls->addStretch();
    controls->addWidget(btnsavepng);
    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(new QLabel(QStringLiteral("Summary of the series")));
    sideLayout->addWidget(m_tblsummary, 2);
    sideLayout->addWidget(new QLabel(QStringLiteral("Comparison stars of the ensemble (catalogue magnitudes)")));
    sideLayout->addWidget(m_comparisons.NewView(QStringLiteral("tblcomparisons")), 1);
    auto* splitter = new QSplitter;
    splitter->addWidget(m_plot);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(splitter, 1);

    m_plot->m_toolTip = [this](QPointF pixel) { return ToolTipAt(pixel); };
    m_plot->m_clicked = [this](QPointF pixel) { SelectStarAt(pixel); };
    for (QComboBox* combo : { m_cbodiaphragm, m_cbomagnitudes, m_cbocheck })
        connect(combo, &QComboBox::currentIndexChanged, this, &LightCurveWindow::Refresh);
    connect(btnsavepng, &QPushButton::clicked, this, &LightCurveWindow::btnsavepng_Click);
    Refresh();
}

const LightCurve& LightCurveWindow::Curve() const
{
    return m_plot->m_curve;
}

LightCurveLayout LightCurveWindow::Layout() const
{
    return m_plot->Layout(QFontMetricsF(m_plot->font()));
}

void LightCurveWindow::Refresh()
{
    const ResultsFileSettings settings = m_settings();
    // The diaphragms with a radius, named by it.
    const QVariant diaphragm = m_cbodiaphragm->currentData();
    {
        const QSignalBlocker blocker(m_cbodiaphragm);
        m_cbodiaphragm->clear();
        for (int k = 0; k < ResultsTable::kDiaphragms; ++k)
            if (const double radius = settings.radii[static_cast<std::size_t>(k)]; radius != 0.0)
                m_cbodiaphragm->addItem(QStringLiteral("r = %1").arg(radius), k);
        m_cbodiaphragm->setCurrentIndex(std::max(0, m_cbodiaphragm->findData(diaphragm)));
    }
    const int shown = m_cbodiaphragm->currentIndex() < 0 ? -1 : m_cbodiaphragm->currentData().toInt();
    const bool ensemble = m_cbomagnitudes->currentIndex() == 1;
    const Ensemble comparisons = ensemble ? m_comparisons.Comparisons() : Ensemble();
    m_cbomagnitudes->setItemText(
        0, settings.relativeToSt1 ? QStringLiteral("Relative to St1") : QStringLiteral("Instrumental"));

    m_plot->m_curve = LightCurveOf(m_session.results, m_session.store.files, settings, shown, comparisons);
    m_plot->m_checkSlot = m_cbocheck->currentData().toInt();
    m_plot->m_magnitudeTitle = ensemble ? QStringLiteral("Ensemble magnitude")
        : settings.relativeToSt1        ? QStringLiteral("Magnitude relative to St1")
                                        : QStringLiteral("Instrumental magnitude");
    m_plot->update();

    m_summary->removeRows(0, m_summary->rowCount());
    for (const StarSummary& star : SeriesSummary(m_session.results, m_session.store.files, settings, comparisons)) {
        if (star.diaphragm != shown)
            continue;
        const QList<QStandardItem*> row = { SummaryItem(QString::fromStdString(StarLabel(star.slot)), star.slot),
            SummaryItem(star.varies ? QStringLiteral("varies") : QString(), star.varies),
            NumberItem(star.reducedChiSquare, 2), NumberItem(star.mean, 4), NumberItem(star.scatter, 4),
            NumberItem(star.meanError, 4), SummaryItem(QString::number(star.measured), star.measured),
            SummaryItem(QString::number(star.saturated), star.saturated),
            SummaryItem(QString::number(star.unmeasured), star.unmeasured) };
        if (star.varies)
            for (QStandardItem* item : row) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setBackground(QColor(255, 225, 225));
            }
        m_summary->appendRow(row);
    }
    m_tblsummary->resizeColumnsToContents();
}

void LightCurveWindow::SelectStarAt(QPointF plotPixel)
{
    const LightCurve& curve = m_plot->m_curve;
    const auto hit = NearestPoint(curve, Layout(), plotPixel.x(), plotPixel.y(), kHoverRadius);
    if (!hit)
        return;
    for (int row = 0; row < m_summary->rowCount(); ++row)
        if (m_summary->item(row, kStar)->data(Qt::UserRole).toInt() == curve.series[hit->first].slot)
            m_tblsummary->selectRow(m_sortedSummary->mapFromSource(m_summary->index(row, kStar)).row());
}

QString LightCurveWindow::ToolTipAt(QPointF plotPixel) const
{
    const LightCurve& curve = m_plot->m_curve;
    const auto hit = NearestPoint(curve, Layout(), plotPixel.x(), plotPixel.y(), kHoverRadius);
    if (!hit)
        return {};
    const LightCurveSeries& series = curve.series[hit->first];
    const LightCurvePoint& point = series.points[hit->second];
    const FileEntry entry = m_session.store.files.ImageFiles().Entry(point.file);
    QString time = curve.byJulianDate ? QStringLiteral("JD %1").arg(QString::fromStdString(FixedText(point.x, 5)))
                                      : QStringLiteral("file %1").arg(point.file);
    if (const QString clock = QString::fromStdString(entry.time).trimmed(); !clock.isEmpty())
        time += QStringLiteral(", ") + clock;
    return QStringLiteral("%1\n%2\n%3: %4 +/- %5%6")
        .arg(QString::fromStdString(FileNameText(entry.name)), time, QString::fromStdString(StarLabel(series.slot)),
            QString::fromStdString(FixedText(point.magnitude, 3)), QString::fromStdString(FixedText(point.error, 3)),
            point.saturated ? QStringLiteral(" (saturated)") : QString());
}

void LightCurveWindow::btnsavepng_Click()
{
    const QString fileName = m_dialogs.SaveFileName({ .title = QStringLiteral("Save PNG"),
        .filter = QStringLiteral("PNG pictures (*.png) | *.png|All files (*.*) | *.*"),
        .folder = m_folder,
        .fileName = QStringLiteral("lightcurve.png"),
        .defaultExtension = QStringLiteral("png") });
    if (fileName.isEmpty())
        return;
    QImage picture(m_plot->size(), QImage::Format_RGB32);
    QPainter painter(&picture);
    m_plot->Paint(painter);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const WriteResult written = WriteFileBytes(QFile::encodeName(fileName).toStdString(), bytes.toStdString());
    if (!written.written)
        ShowCannotWriteFile(m_dialogs, fileName, written);
}

} // namespace lumvane
