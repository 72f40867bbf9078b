#pragma once

#include "core/image/FileList.h"
#include "core/image/HeaderValues.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace lumvane {

/// @brief The "File info" tab: the values of the last header read.
class FileInfoPanel : public QWidget {
    Q_OBJECT

public:
    explicit FileInfoPanel(QWidget* parent = nullptr);

    /// Shows a header's values and the name listed for its file.
    void ShowFileInfo(const HeaderValues& header, const FileEntry& entry);

    QPushButton* HeaderButton() const { return m_btnHeader; }
    QPushButton* HelpButton() const { return m_btnInfoHelp; }

private:
    QLabel* m_lblfilename;
    QLabel* m_lbln1;
    QLabel* m_lbln2;
    QLabel* m_lblexpt;
    QLabel* m_lbldate;
    QLabel* m_lbltime;
    QLabel* m_lbltemper;
    QLabel* m_lblfilter;
    QLabel* m_lblhistory;
    QPushButton* m_btnHeader;
    QPushButton* m_btnInfoHelp;
};

} // namespace lumvane
