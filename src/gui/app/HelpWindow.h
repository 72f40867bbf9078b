#pragma once

#include <QWidget>

class QTextBrowser;

namespace lumvane {

/// Topics of the help file: the context numbers of the tabs' "Help" buttons.
enum HelpContext {
    kHelpFileInfo = 1002,
    kHelpDisplay = 1003,
    kHelpOptions = 1004,
    kHelpNotes = 1005,
};

/// @brief The help file's full name: see HelpFileFor(), for this executable.
QString HelpFileName();

/// @brief Where the help file "Tarnel32.html" of an executable is: beside it,
/// where the build puts it, or for an installed program in the "help" folder
/// of its installed data folder (InstalledDataFolder()).
QString HelpFileFor(const QString& executableFolder);

/// @brief A window that shows the help file, opened at a topic.
///
/// The help file is one HTML page with a section per topic, each headed by an
/// anchor named after its context number, and a contents section at the top.
/// A help file that is missing or unreadable is reported in the window itself.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(const QString& helpFileName, QWidget* parent = nullptr);

    /// Shows the window at the topic of a context number.
    void ShowTopic(int context);
    /// Shows the window at the contents.
    void ShowContents();

    QTextBrowser* Browser() const { return m_browser; }

private:
    void ShowAnchor(const QString& anchor);

    QString m_helpFileName;
    QTextBrowser* m_browser;
};

} // namespace lumvane
