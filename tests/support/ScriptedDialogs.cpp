#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace lumvane::test {

namespace {

const char* KindName(ShownDialog::Kind kind)
{
    switch (kind) {
    case ShownDialog::Kind::Message:
        return "message box";
    case ShownDialog::Kind::Input:
        return "input box";
    case ShownDialog::Kind::OpenFile:
        return "open file dialog";
    case ShownDialog::Kind::SaveFile:
        return "save file dialog";
    case ShownDialog::Kind::Beep:
        break;
    }
    return "beep";
}

} // namespace

ScriptedDialogs::~ScriptedDialogs()
{
    if (!m_answers.empty())
        ADD_FAILURE() << m_answers.size() << " scripted dialog answer(s) were never used";
}

void ScriptedDialogs::AnswerMessage(MessageAnswer answer)
{
    m_answers.emplace_back(answer);
}

void ScriptedDialogs::AnswerInput(std::optional<QString> text)
{
    m_answers.emplace_back(InputAnswer { text.has_value(), text.value_or(QString()) });
}

void ScriptedDialogs::AnswerOpenFile(const QString& fileName)
{
    m_answers.emplace_back(OpenFileAnswer { fileName });
}

void ScriptedDialogs::AnswerSaveFile(const QString& fileName)
{
    m_answers.emplace_back(SaveFileAnswer { fileName });
}

template <typename Expected> void ScriptedDialogs::Take(const ShownDialog& shown, Expected& answer)
{
    m_shown.push_back(shown);
    if (m_observer)
        m_observer(shown);
    if (m_answers.empty() || !std::holds_alternative<Expected>(m_answers.front())) {
        ADD_FAILURE() << "unexpected " << KindName(shown.kind) << " \"" << shown.title.toStdString()
                      << "\": " << shown.text.toStdString();
        return;
    }
    answer = std::get<Expected>(m_answers.front());
    m_answers.pop_front();
}

MessageAnswer ScriptedDialogs::Message(
    const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons)
{
    ShownDialog shown;
    shown.kind = ShownDialog::Kind::Message;
    shown.text = text;
    shown.title = title;
    shown.icon = icon;
    shown.buttons = buttons;
    // Unanswered: the answer that changes least.
    MessageAnswer answer = MessageAnswer::Ok;
    if (buttons == MessageButtons::YesNo)
        answer = MessageAnswer::No;
    else if (buttons == MessageButtons::SaveDiscardCancel)
        answer = MessageAnswer::Cancel;
    Take(shown, answer);
    return answer;
}

std::optional<QString> ScriptedDialogs::Input(const QString& prompt, const QString& title, const QString& defaultText)
{
    ShownDialog shown;
    shown.kind = ShownDialog::Kind::Input;
    shown.text = prompt;
    shown.title = title;
    shown.defaultText = defaultText;
    InputAnswer answer;
    Take(shown, answer);
    if (!answer.accepted)
        return std::nullopt;
    return answer.text;
}

QString ScriptedDialogs::OpenFileName(const FileDialogRequest& request)
{
    ShownDialog shown;
    shown.kind = ShownDialog::Kind::OpenFile;
    shown.title = request.title;
    shown.request = request;
    OpenFileAnswer answer;
    Take(shown, answer);
    return answer.fileName;
}

QString ScriptedDialogs::SaveFileName(const FileDialogRequest& request)
{
    ShownDialog shown;
    shown.kind = ShownDialog::Kind::SaveFile;
    shown.title = request.title;
    shown.request = request;
    SaveFileAnswer answer;
    Take(shown, answer);
    return answer.fileName;
}

void ScriptedDialogs::Beep()
{
    ShownDialog shown;
    shown.kind = ShownDialog::Kind::Beep;
    m_shown.push_back(shown);
    if (m_observer)
        m_observer(shown);
}

} // namespace lumvane::test
