#include "editor/Panel.hpp"

#include "game/Assets.hpp"
#include "game/Layout.hpp"
#include "standardmenu/StandardMenu.hpp"
#include "wimdows/Wimdows.hpp"

#include <array>
#include <sstream>

namespace Editor {
namespace {

constexpr std::int32_t Margin = 10;
constexpr std::int32_t ButtonsTop = 20;
constexpr std::int32_t RowStep = 50;
constexpr std::int32_t TextTop = 240;
constexpr std::int32_t TextWidth = PanelWidth - 2 * Margin;
constexpr std::uint32_t Font = Wimdows::FONT_ANSI_FIXED;
constexpr std::uint32_t TextColour = Wimdows::RGB(0, 0, 0);
constexpr std::uint32_t WarningColour = Wimdows::RGB(170, 0, 0);

std::array<StandardMenu::ButtonRc, Meandor::bewerkerKnopBestanden.size()> buttons{};
Meandor::Tabel<std::uint32_t, 1, Meandor::Levels> panelPictures{};

// Two columns: the tools in pairs, then the levels, then saving and playing.
Meandor::Plek ButtonPlace(std::size_t i) {
    const auto column = static_cast<std::int32_t>(i % 2);
    const auto row = static_cast<std::int32_t>(i / 2);
    const std::int32_t step = Meandor::BewerkerKnopMaat.breedte + Margin;
    return {PanelX + Margin + column * step, ButtonsTop + row * RowStep};
}

bool Lit(std::size_t i, Tool tool, std::int32_t pointerX, std::int32_t pointerY) {
    return i == static_cast<std::size_t>(tool) ||
           StandardMenu::InButton(buttons.at(i), pointerX, pointerY);
}

std::uint32_t LineHeight() {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    Wimdows::GetTextSize("Mg", Font, width, height);
    return height + 2;
}

bool Fits(const std::string& text) {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    Wimdows::GetTextSize(text, Font, width, height);
    return width <= static_cast<std::uint32_t>(TextWidth);
}

} // namespace

void LoadPanel() {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const Meandor::KnopBestand& files = Meandor::bewerkerKnopBestanden.at(i);
        buttons.at(i) =
            StandardMenu::CreateButton(Meandor::BewerkerKnopMaat.breedte,
                                       Meandor::BewerkerKnopMaat.hoogte, files.uit, files.aan);
        const Meandor::Plek place = ButtonPlace(i);
        buttons.at(i).x0 = place.x;
        buttons.at(i).y0 = place.y;
    }
    for (std::uint32_t lvl = 1; lvl <= Meandor::Levels; ++lvl) {
        panelPictures[lvl] = Wimdows::LoadBitmap(Meandor::LevelBestand(lvl).rechthoek, PanelWidth,
                                                 Meandor::VensterMaat.hoogte);
    }
}

void DrawPanel(const PanelView& view, std::int32_t pointerX, std::int32_t pointerY) {
    Wimdows::DrawBitmap(panelPictures[view.level], PanelX, 0);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const StandardMenu::ButtonRc& button = buttons.at(i);
        Wimdows::DrawBitmap(button.bitmap.at(Lit(i, view.tool, pointerX, pointerY) ? 1 : 0),
                            button.x0, button.y0);
    }
    const auto step = static_cast<std::int32_t>(LineHeight());
    std::int32_t y = TextTop;
    for (const PanelLine& line : view.lines) {
        Wimdows::SetFont(Font, line.warning ? WarningColour : TextColour);
        for (const std::string& part : Wrapped(line.text)) {
            if (y + step > Meandor::VensterMaat.hoogte) {
                return;
            }
            Wimdows::Text(part, PanelX + Margin, y);
            y += step;
        }
    }
}

std::optional<Button> ButtonAt(std::int32_t x, std::int32_t y) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (StandardMenu::InButton(buttons.at(i), x, y)) {
            return static_cast<Button>(i);
        }
    }
    return std::nullopt;
}

std::vector<std::string> Wrapped(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string line;
    for (std::string word; words >> word;) {
        std::string longer = line.empty() ? word : line + ' ' + word;
        if (line.empty() || Fits(longer)) {
            line = std::move(longer);
            continue;
        }
        lines.push_back(std::move(line));
        line = std::move(word);
    }
    if (!line.empty() || lines.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace Editor
