#pragma once

#include "gui/app/Dialogs.h"

#include <deque>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace lumvane::test {

/// One dialog (or beep) the program showed, with everything it showed.
struct ShownDialog {
    enum class Kind { Message, Input, OpenFile, SaveFile, Beep };

    Kind kind = Kind::Message;
    QString text; ///< message text or input prompt
    QString title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    QString defaultText; ///< input box
    FileDialogRequest request; ///< file dialogs (its title is also in `title`)
};

/// @brief Dialogs that answer from a queue and record what was shown.
///
/// Each dialog takes the next answer, which must be of its kind; a dialog
/// with no answer of its kind waiting fails the test (and is cancelled), and
/// so do answers left unused when the object goes. Beeps need no answer.
class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs() = default;
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void AnswerMessage(MessageAnswer answer);
    /// Nothing stands for Cancel.
    void AnswerInput(std::optional<QString> text);
    /// An empty name stands for Cancel.
    void AnswerOpenFile(const QString& fileName);
    void AnswerSaveFile(const QString& fileName);

    const std::vector<ShownDialog>& Shown() const { return m_shown; }
    /// Called with each dialog as it is shown, before it is answered: lets a
    /// test look at the window while the dialog is up.
    void OnShow(std::function<void(const ShownDialog&)> observer) { m_observer = std::move(observer); }

    MessageAnswer Message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons) override;
    std::optional<QString> Input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString OpenFileName(const FileDialogRequest& request) override;
    QString SaveFileName(const FileDialogRequest& request) override;
    void Beep() override;

private:
    struct InputAnswer {
        bool accepted = false;
        QString text;
    };
    struct OpenFileAnswer {
        QString fileName;
    };
    struct SaveFileAnswer {
        QString fileName;
    };
    using Answer = std::variant<MessageAnswer, InputAnswer, OpenFileAnswer, SaveFileAnswer>;

    /// Records the dialog and takes the next answer, which must be an
    /// Expected; without one the answer stays as it is (Cancel).
    template <typename Expected> void Take(const ShownDialog& shown, Expected& answer);

    std::deque<Answer> m_answers;
    std::vector<ShownDialog> m_shown;
    std::function<void(const ShownDialog&)> m_observer;
};

} // namespace lumvane::test
