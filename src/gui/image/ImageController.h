#pragma once

#include "core/image/FitsReader.h"

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QSettings;
class QWidget;

namespace lumvane {

class Dialogs;
class DisplayController;
class FileChooser;
class FileInfoPanel;
struct Session;
class StatusBar;

/// @brief Opens images: File > Open Single Image, a file named at start-up,
/// dropped on the window or chosen from File > Open Recent, reading files into
/// the planes with the "File info" tab, the caption and the cuts that a read
/// proposes, and the Image menu's Dark Subtract and Flat Field.
///
/// The caption names the image shown: a read into IMG that leaves an image
/// sets it, any other read leaves it.
class ImageController : public QObject {
    Q_OBJECT

public:
    struct Controls {
        QWidget* window; ///< whose caption names the image shown
        FileInfoPanel* fileInfo;
        StatusBar* status;
        QAction* mnuopen;
        QMenu* mnurecent; ///< File > Open Recent, on while mnuopen is
        QAction* mnuimagedark;
        QAction* mnuimageflat;
    };

    /// The recent list is kept in `settings` from one run to the next.
    ImageController(Session& session, Dialogs& dialogs, FileChooser& dlog, DisplayController& display,
        Controls controls, QSettings& settings, QObject* parent);

    /// Shows the file dialog for images with a title (an empty title keeps
    /// the last one). Returns the full path chosen, or an empty text when the
    /// user cancels.
    QString ChooseImageFile(const QString& title);
    /// Opens a file named at start-up, dropped on the window or chosen from
    /// the recent list as File > Open Single Image opens a chosen one. The
    /// name is absolute: start-up changed the current folder.
    void OpenStartupFile(const QString& fileName);
    /// Reads a file into a plane: shows the reader's message, refreshes the
    /// File info tab when a header was recorded, and writes proposed cuts.
    /// An image read into IMG gets the caption.
    FitsReadResult ReadImage(const QString& fileName, PlaneId plane);
    /// What a read leaves on the window: its message, the File info tab, the cuts.
    void ShowReadResult(const FitsReadResult& result);
    /// Asks for a dark or flat frame under a dialog title and reads it into
    /// its plane. False when none was chosen, the read gave no image, or the
    /// frame does not cover IMG (which is said).
    bool ReadCalibrationFrame(const QString& title, PlaneId plane);
    /// Says that a calibration frame is smaller than the image.
    void ShowFrameTooSmall();

public slots:
    void mnuopen_Click();
    void mnuimagedark_Click();
    void mnuimageflat_Click();

private:
    /// Takes the next file number, reads the file into IMG and shows it.
    void OpenSingleImage(const QString& fileName);
    void SetCaptionFor(const QString& fileName);
    void CalibrateFromMenu(const QString& title, PlaneId plane);
    /// Puts an image read at the top of the recent list.
    void AddRecentImage(const QString& fileName);
    void FillRecentMenu();

    Session& m_session;
    Dialogs& m_dialogs;
    FileChooser& m_dlog;
    DisplayController& m_display;
    Controls m_controls;
    QSettings& m_settings;
};

} // namespace lumvane
