#pragma once

#include <QObject>
#include <QString>

namespace lumvane {

class Dialogs;
class OptionsPanel;
struct Session;

/// @brief Drives the "Options" tab: the limits of its boxes, Apply, and the
/// settings file "tr_ini.int" in the program's folder that keeps the tab
/// between runs.
///
/// The inner factor and median boxes keep their limits on every change of
/// their text, with a beep when they replace it.
class OptionsController : public QObject {
    Q_OBJECT

public:
    OptionsController(
        Session& session, Dialogs& dialogs, OptionsPanel* panel, const QString& programFolder, QObject* parent);

    /// Fills the tab from the settings file, creating it when missing; false
    /// when the file was there but not readable.
    bool LoadSettings();
    /// The options in force become those the boxes give at start-up.
    void TakeStartUpOptions();
    /// Writes the settings file when the options were applied during the run.
    void SaveSettings();

public slots:
    void TROptR1_Change();
    void TROptMedian_Change();
    void btnoptok_Click();

private:
    Session& m_session;
    Dialogs& m_dialogs;
    OptionsPanel* m_panel;
    QString m_programFolder;
};

} // namespace lumvane
