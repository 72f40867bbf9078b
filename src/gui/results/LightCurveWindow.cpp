#include "gui/results/LightCurveWindow.h"

#include "core/common/FileWrite.h"
#include "core/photometry/StarSlots.h"
#include "core/results/ExportText.h"
#include "gui/app/Dialogs.h"

#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <cmath>

namespace lumvane {
namespace {

constexpr int kFirstVariable = 19;
constexpr double kPointRadius = 3.0;
constexpr double kHoverRadius = 6.0;

/// The variables' colours, Var 1 .. Var 4.
const QColor kVariableColours[] = { QColor(200, 0, 0), QColor(0, 70, 220), QColor(0, 150, 0), QColor(170, 0, 170) };
const QColor kCheckColour(230, 130, 0);
const QColor kOtherColour(150, 150, 150);

/// Decimals that tell the ticks of an axis apart.
int Decimals(const PlotAxis& axis)
{
    return std::max(0, static_cast<int>(-std::floor(std::log10(axis.step) + 1e-9)));
}

} // namespace

/// @brief The plot area: axes, error bars, points and a legend, painted from
/// the window's curve at the widget's size.
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
    std::function<QString(QPointF)> m_toolTip;

    LightCurveLayout Layout() const { return LayoutLightCurve(m_curve, width(), height()); }

    QColor Colour(int slot) const
    {
        if (slot >= kFirstVariable)
            return kVariableColours[slot - kFirstVariable];
        return slot == m_checkSlot ? kCheckColour : kOtherColour;
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        Paint(painter);
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

public:
    void Paint(QPainter& painter) const
    {
        painter.fillRect(rect(), Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        const LightCurveLayout layout = Layout();
        const QRectF frame(QPointF(layout.left, layout.top), QPointF(layout.right, layout.bottom));
        const QFontMetricsF metrics(painter.font());

        painter.setPen(Qt::black);
        painter.drawRect(frame);
        const int xDecimals = Decimals(layout.xAxis);
        for (const double tick : layout.xAxis.ticks) {
            const double x = layout.PixelX(tick + layout.xOrigin);
            painter.drawLine(QPointF(x, layout.bottom), QPointF(x, layout.bottom - 4));
            const QString label = QString::number(tick, 'f', xDecimals);
            painter.drawText(
                QPointF(x - metrics.horizontalAdvance(label) / 2, layout.bottom + metrics.ascent() + 3), label);
        }
        const int yDecimals = Decimals(layout.yAxis);
        for (const double tick : layout.yAxis.ticks) {
            const double y = layout.PixelY(tick);
            painter.drawLine(QPointF(layout.left, y), QPointF(layout.left + 4, y));
            const QString label = QString::number(tick, 'f', yDecimals);
            painter.drawText(
                QPointF(layout.left - metrics.horizontalAdvance(label) - 4, y + metrics.ascent() / 2 - 1), label);
        }
        const QString xTitle = m_curve.byJulianDate
            ? QStringLiteral("JD - %1").arg(QString::number(layout.xOrigin, 'f', 0))
            : QStringLiteral("File number");
        painter.drawText(QPointF((layout.left + layout.right - metrics.horizontalAdvance(xTitle)) / 2,
                             height() - metrics.descent() - 2),
            xTitle);
        painter.drawText(QPointF(4, layout.top + metrics.ascent()), QStringLiteral("mag"));

        // The grey stars first, so that the coloured ones lie on top.
        for (const bool highlighted : { false, true })
            for (const LightCurveSeries& series : m_curve.series) {
                const QColor colour = Colour(series.slot);
                if ((colour != kOtherColour) != highlighted)
                    continue;
                painter.setPen(colour);
                painter.setBrush(colour);
                for (const LightCurvePoint& point : series.points) {
                    const double x = layout.PixelX(point.x);
                    painter.drawLine(QPointF(x, layout.PixelY(point.magnitude - point.error)),
                        QPointF(x, layout.PixelY(point.magnitude + point.error)));
                    painter.drawEllipse(QPointF(x, layout.PixelY(point.magnitude)), kPointRadius, kPointRadius);
                }
            }

        // The legend names the coloured stars and what the grey ones are.
        QStringList labels;
        QList<QColor> colours;
        bool others = false;
        for (const LightCurveSeries& series : m_curve.series) {
            if (Colour(series.slot) == kOtherColour) {
                others = true;
                continue;
            }
            const QString label = QString::fromStdString(StarLabel(series.slot));
            labels << (series.slot == m_checkSlot && series.slot < kFirstVariable ? label + QStringLiteral(" (check)")
                                                                                  : label);
            colours << Colour(series.slot);
        }
        if (others) {
            labels << QStringLiteral("St1 and comparison stars");
            colours << kOtherColour;
        }
        double y = layout.top + 6;
        for (qsizetype i = 0; i < labels.size(); ++i) {
            const double x = layout.right - 8 - metrics.horizontalAdvance(labels[i]);
            painter.setPen(colours[i]);
            painter.setBrush(colours[i]);
            painter.drawEllipse(QPointF(x - 8, y + metrics.height() / 2), kPointRadius, kPointRadius);
            painter.setPen(Qt::black);
            painter.drawText(QPointF(x, y + metrics.ascent()), labels[i]);
            y += metrics.height();
        }
    }
};

LightCurveWindow::LightCurveWindow(Dialogs& dialogs, const Session& session,
    std::function<ResultsFileSettings()> settings, const QString& folder, QWidget* parent)
    // A tool window of the main window: it stays above it while open.
    : QWidget(parent, Qt::Tool)
    , m_dialogs(dialogs)
    , m_session(session)
    , m_settings(std::move(settings))
    , m_folder(folder)
    , m_cbodiaphragm(new QComboBox)
    , m_cbocheck(new QComboBox)
    , m_plot(new LightCurvePlot(this))
{
    setObjectName(QStringLiteral("frmLightCurve"));
    setWindowTitle(QStringLiteral("Light Curve"));

    m_cbodiaphragm->setObjectName(QStringLiteral("cbodiaphragm"));
    for (int k = 1; k <= ResultsTable::kDiaphragms; ++k)
        m_cbodiaphragm->addItem(QString::number(k));
    m_cbocheck->setObjectName(QStringLiteral("cbocheck"));
    for (int slot = 1; slot < kFirstVariable; ++slot)
        m_cbocheck->addItem(QString::fromStdString(StarLabel(slot)), slot);
    m_cbocheck->addItem(QStringLiteral("none"), -1);
    auto* btnsavepng = new QPushButton(QStringLiteral("Save PNG"));
    btnsavepng->setObjectName(QStringLiteral("btnsavepng"));

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("Diaphragm")));
    controls->addWidget(m_cbodiaphragm);
    controls->addSpacing(12);
    controls->addWidget(new QLabel(QStringLiteral("Check star")));
    controls->addWidget(m_cbocheck);
    controls->addStretch();
    controls->addWidget(btnsavepng);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(m_plot, 1);

    m_plot->m_toolTip = [this](QPointF pixel) { return ToolTipAt(pixel); };
    connect(m_cbodiaphragm, &QComboBox::currentIndexChanged, this, &LightCurveWindow::Refresh);
    connect(m_cbocheck, &QComboBox::currentIndexChanged, this, &LightCurveWindow::Refresh);
    connect(btnsavepng, &QPushButton::clicked, this, &LightCurveWindow::btnsavepng_Click);
    Refresh();
}

const LightCurve& LightCurveWindow::Curve() const
{
    return m_plot->m_curve;
}

void LightCurveWindow::Refresh()
{
    m_plot->m_curve
        = LightCurveOf(m_session.results, m_session.store.files, m_settings(), m_cbodiaphragm->currentIndex());
    m_plot->m_checkSlot = m_cbocheck->currentData().toInt();
    m_plot->update();
}

QString LightCurveWindow::ToolTipAt(QPointF plotPixel) const
{
    const LightCurve& curve = m_plot->m_curve;
    const auto hit = NearestPoint(curve, m_plot->Layout(), plotPixel.x(), plotPixel.y(), kHoverRadius);
    if (!hit)
        return {};
    const LightCurveSeries& series = curve.series[hit->first];
    const LightCurvePoint& point = series.points[hit->second];
    const FileEntry entry = m_session.store.files.ImageFiles().Entry(point.file);
    QString time = curve.byJulianDate ? QStringLiteral("JD %1").arg(QString::fromStdString(FixedText(point.x, 5)))
                                      : QStringLiteral("file %1").arg(point.file);
    if (const QString clock = QString::fromStdString(entry.time).trimmed(); !clock.isEmpty())
        time += QStringLiteral(", ") + clock;
    return QStringLiteral("%1\n%2\n%3: %4 +/- %5")
        .arg(QString::fromStdString(FileNameText(entry.name)), time, QString::fromStdString(StarLabel(series.slot)),
            QString::fromStdString(FixedText(point.magnitude, 3)), QString::fromStdString(FixedText(point.error, 3)));
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
