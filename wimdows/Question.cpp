#include "wimdows/Question.hpp"

#include "wimdows/Shared.hpp"

#include <SDL_syswm.h>

#include <string>
#include <utility>
#include <vector>

// A question in SDL's message box. The box takes SDL's keyboard and mouse state for itself, so
// the window thread shows it, as it owns the window and its events.
namespace Wimdows {
namespace {

struct Question {
    std::string title;
    std::string text;
    std::vector<std::string> buttons;
};

// The question the caller waits on and its answer, under `windowMutex`.
Question asked;
int answer = -1;

std::vector<SDL_MessageBoxButtonData> Buttons(const std::vector<std::string>& texts) {
    std::vector<SDL_MessageBoxButtonData> buttons;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        buttons.push_back({0, static_cast<int>(i), texts[i].c_str()});
    }
    buttons.front().flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    buttons.back().flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    return buttons;
}

// A window no one sees, SDL's dummy driver's, has no native window the box could belong to,
// and SDL would read the one it lacks.
bool Native(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    return window == nullptr || SDL_GetWindowWMInfo(window, &info) == SDL_TRUE;
}

// A box closed without a choice counts as Escape.
int Show(SDL_Window* window, const Question& question) {
    if (!Native(window)) {
        return -1;
    }
    const std::vector<SDL_MessageBoxButtonData> buttons = Buttons(question.buttons);
    const SDL_MessageBoxData data{SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                                  window,
                                  question.title.c_str(),
                                  question.text.c_str(),
                                  static_cast<int>(buttons.size()),
                                  buttons.data(),
                                  nullptr};
    int chosen = -1;
    if (SDL_ShowMessageBox(&data, &chosen) != 0) {
        return -1;
    }
    const int last = static_cast<int>(buttons.size()) - 1;
    return chosen >= 0 && chosen <= last ? chosen : last;
}

} // namespace

// The box is shown without the lock: Interrupt and the caller's other calls need it meanwhile.
void AnswerQuestion(SDL_Window* window) {
    Question question;
    {
        const std::scoped_lock guard(windowMutex);
        question = std::move(asked);
    }
    const int chosen = question.buttons.empty() ? -1 : Show(window, question);
    {
        const std::scoped_lock guard(windowMutex);
        answer = chosen;
        askHandled.FetchAdd(1, std::memory_order_release);
    }
    askHandled.NotifyAll();
}

int Ask(std::string_view title, std::string_view text, std::span<const std::string> buttons) {
    if (buttons.empty()) {
        return -1;
    }
    Question question{UpToNul(title), UpToNul(text), {}};
    for (const std::string& button : buttons) {
        question.buttons.push_back(UpToNul(button));
    }
    std::uint64_t ticket = 0;
    {
        const std::scoped_lock guard(windowMutex);
        if (state.Load(std::memory_order_relaxed) != STATE_ACTIVE) {
            return -1;
        }
        asked = std::move(question);
        // What a window that closes before the box is shown leaves as the answer.
        answer = -1;
        if (!PushRequest(Request::Ask)) {
            return -1;
        }
        ticket = ++askRequested;
    }
    for (std::uint64_t handled = askHandled.Load(std::memory_order_acquire); handled < ticket;
         handled = askHandled.Load(std::memory_order_acquire)) {
        askHandled.Wait(handled, std::memory_order_acquire);
    }
    const std::scoped_lock guard(windowMutex);
    return answer;
}

} // namespace Wimdows
