#pragma once

#include <QWidget>

namespace lumvane {

/// @brief The "Notes" tab: free text, opened from and saved to text files.
class NotesPanel : public QWidget {
    Q_OBJECT

public:
    explicit NotesPanel(QWidget* parent = nullptr);
};

} // namespace lumvane
