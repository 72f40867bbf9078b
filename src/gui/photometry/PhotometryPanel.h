#pragma once

#include "core/photometry/ClickPhotometry.h"

#include <QWidget>

#include <array>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

namespace lumvane {

/// @brief The "Photometry" tab: diaphragm radii, centre search, St1's
/// magnitude, the read-out fields, the 23 star buttons and Continue.
///
/// The radius and centre-search boxes keep their limits on every change of
/// their text.
class PhotometryPanel : public QWidget {
    Q_OBJECT

public:
    explicit PhotometryPanel(QWidget* parent = nullptr);

    // The boxes' numbers as typed now, read by the numeric value rule.
    /// `txtr(0)` .. `txtr(3)`; 0 for an empty box.
    std::array<double, kClickDiaphragms> Radii() const;
    /// `txtmp`.
    double Search() const;
    /// `mtxtm1`; nothing while it is blank.
    std::optional<double> St1Magnitude() const;

    /// Every read-out field of a click but `lblst1`; a magnitude field that
    /// waits for St1 says so in its tool tip.
    void ShowFields(const ClickFields& fields);
    /// `lblst1` takes the counts `lblsum` shows now.
    void CopySumToSt1();

    /// "Continue" (`btnconti`), off until a patrol series waits for it.
    QPushButton* ContinueButton() const { return m_btnconti; }

signals:
    /// A star button `btnstar(slot)` was pressed.
    void StarButtonClicked(int slot);

private:
    void txtr_Change(int index);
    void txtmp_Change();
    /// Writes a read-out field's text.
    static void Show(QLineEdit& readout, const std::string& text);

    std::array<QLineEdit*, kClickDiaphragms> m_txtr {};
    QLineEdit* m_txtmp;
    QLineEdit* m_mtxtm1;
    QLineEdit* m_lblsum;
    QLineEdit* m_lblpx;
    QLineEdit* m_lblsp;
    QLineEdit* m_lbleps;
    QLineEdit* m_lblst1;
    std::array<QLineEdit*, kClickDiaphragms> m_lblmv {};
    std::array<QLineEdit*, kClickDiaphragms> m_lblepssum {};
    QPushButton* m_btnconti;
};

} // namespace lumvane
