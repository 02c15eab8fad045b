#include "game/DoolhofCheck.hpp"

#include <array>
#include <deque>

namespace Meandor {
namespace {

constexpr std::uint32_t MinLegeCellen = 2; // the flag may not land on the hamburger's cell

struct Stap {
    int dx;
    int dy;
};
constexpr std::array<Stap, 4> Stappen{{{1, 0}, {0, 1}, {-1, 0}, {0, -1}}};

Cel Buur(Cel c, Stap s) {
    return {static_cast<std::uint32_t>(static_cast<int>(c.x) + s.dx),
            static_cast<std::uint32_t>(static_cast<int>(c.y) + s.dy)};
}

template <typename Functie> void VoorElkeCel(Functie f) {
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= Rijen; ++y) {
            f(Cel{x, y});
        }
    }
}

std::string CelTekst(Cel c) {
    std::string tekst = "(";
    tekst += std::to_string(c.x);
    tekst += ", ";
    tekst += std::to_string(c.y);
    tekst += ')';
    return tekst;
}

bool IsRand(Cel c) {
    return c.x == 1 || c.x == Kolommen || c.y == 1 || c.y == Rijen;
}

class Controle {
  public:
    Controle(const DoolhofLevel& lvl, std::vector<Overtreding>& uit)
        : naam_(lvl.bestand), grid_(lvl.grid), uit_(uit) {}

    void Meld(std::optional<Cel> cel, Eis eis, Soort soort, std::string uitleg) {
        uit_.push_back({naam_, cel, eis, std::move(uitleg), soort});
    }

    bool Muur(Cel c) const { return IsMuur(grid_, c.x, c.y); }
    bool OpenVoorStrik(Cel c) const { return IsOpenVoorStrik(grid_, c.x, c.y); }
    char Teken(Cel c) const { return grid_[c.x][c.y]; }

    void Rand() {
        VoorElkeCel([&](Cel c) {
            if (IsRand(c) && c != IngangCel && c != UitgangCel && !Muur(c)) {
                Meld(c, Eis::Rand, Soort::RandOpen, "border cell is open to the player");
            }
        });
    }

    void IngangUitgang() {
        if (OpenVoorStrik(IngangCel)) {
            Meld(IngangCel, Eis::IngangUitgang, Soort::IngangOpenVoorStrik,
                 "entry cell is open to enemies");
        }
        if (OpenVoorStrik(UitgangCel)) {
            Meld(UitgangCel, Eis::IngangUitgang, Soort::UitgangOpenVoorStrik,
                 "exit cell is open to enemies");
        }
        if (Muur(UitgangCel)) {
            Meld(UitgangCel, Eis::IngangUitgang, Soort::UitgangMuur,
                 "exit cell is a wall, the player cannot leave");
        }
    }

    void Friet(std::span<const Cel> starts) {
        std::uint32_t aantal = 0;
        VoorElkeCel([&](Cel c) { aantal += Teken(c) == FrietTeken ? 1 : 0; });
        if (aantal != FrietPerLevel) {
            Meld(std::nullopt, Eis::Friet, Soort::FrietAantal,
                 "holds " + std::to_string(aantal) + " portions of fries, needs exactly " +
                     std::to_string(FrietPerLevel));
        }
        for (const Cel start : starts) {
            const VlagGrid bereikt = SpelerBereik(start);
            VoorElkeCel([&](Cel c) {
                if (Teken(c) == FrietTeken && !bereikt[c.x][c.y]) {
                    Meld(c, Eis::Friet, Soort::FrietOnbereikbaar,
                         "fries cannot be reached from " + CelTekst(start));
                }
            });
            if (!bereikt[UitgangCel.x][UitgangCel.y]) {
                Meld(UitgangCel, Eis::Friet, Soort::UitgangOnbereikbaar,
                     "exit cannot be reached from " + CelTekst(start));
            }
        }
    }

    // `staan` holds on entry the cells enemies stand on from the previous level; on return,
    // every cell an enemy active in this level can stand on. A level may end before an enemy
    // has stepped, so the cells it came in on stay among them.
    void Strikjes(std::uint32_t lvl, VlagGrid& staan) {
        enum class Herkomst : unsigned char { Geen, Vorig, Start, Bereikt };
        CelGrid<Herkomst> herkomst{};
        std::deque<Cel> rij;
        VoorElkeCel([&](Cel c) {
            if (staan[c.x][c.y]) {
                herkomst[c.x][c.y] = Herkomst::Vorig;
                rij.push_back(c);
            }
        });
        for (std::uint32_t i = 1; i <= MaxStrikjes; ++i) {
            if (strikStartTabel[i].vanafLevel != lvl) {
                continue;
            }
            const Cel c = strikStartTabel[i].cel();
            if (!OpenVoorStrik(c)) {
                Meld(c, Eis::Strikjes, Soort::StrikStartDicht,
                     "start cell of enemy " + std::to_string(i) + " is closed to enemies");
            }
            if (herkomst[c.x][c.y] == Herkomst::Geen) {
                rij.push_back(c);
            }
            herkomst[c.x][c.y] = Herkomst::Start;
        }
        while (!rij.empty()) {
            const Cel c = rij.front();
            rij.pop_front();
            for (const Stap s : Stappen) {
                const Cel n = Buur(c, s);
                if (OpenVoorStrik(n) && herkomst[n.x][n.y] == Herkomst::Geen) {
                    herkomst[n.x][n.y] = Herkomst::Bereikt;
                    rij.push_back(n);
                }
            }
        }
        VoorElkeCel([&](Cel c) {
            const Herkomst h = herkomst[c.x][c.y];
            staan[c.x][c.y] = h != Herkomst::Geen;
            if (h == Herkomst::Geen || HeeftOpenBuur(c)) {
                return;
            }
            const char* waar = h == Herkomst::Vorig ? "an enemy from the previous level stands here"
                               : h == Herkomst::Start ? "an enemy starts here"
                                                      : "an enemy can walk here";
            Meld(c, Eis::Strikjes, Soort::StrikVast,
                 std::string(waar) + " but no neighbour is open to enemies");
        });
    }

    void Plaatsing() {
        std::uint32_t leeg = 0;
        VoorElkeCel([&](Cel c) { leeg += c.y < Rijen && Teken(c) == LeegTeken ? 1 : 0; });
        if (leeg < MinLegeCellen) {
            Meld(std::nullopt, Eis::Plaatsing, Soort::TeWeinigLeeg,
                 "blank cells in rows 1 to 20: " + std::to_string(leeg) +
                     "; the flag and the hamburger need at least " + std::to_string(MinLegeCellen));
        }
    }

  private:
    bool HeeftOpenBuur(Cel c) const {
        for (const Stap s : Stappen) {
            if (OpenVoorStrik(Buur(c, s))) {
                return true;
            }
        }
        return false;
    }

    // The player's moves: one cell onto anything but a wall, Up never from column 1. The entry
    // sends the player to the restart cell and a closed exit door back in front of it, both in
    // the pass that reached them, so no move starts from either.
    VlagGrid SpelerBereik(Cel start) const {
        VlagGrid bereikt{};
        std::deque<Cel> rij;
        const auto bezoek = [&](Cel c) {
            if (!bereikt[c.x][c.y]) {
                bereikt[c.x][c.y] = true;
                rij.push_back(c);
            }
        };
        bezoek(start);
        while (!rij.empty()) {
            const Cel c = rij.front();
            rij.pop_front();
            if (c == IngangCel) {
                bezoek(HerstartCel);
                continue;
            }
            if (c == UitgangCel) {
                bezoek(VoorDeDeurCel);
                continue;
            }
            for (const Stap s : Stappen) {
                const bool omhoog = s.dy < 0;
                const Cel n = Buur(c, s);
                if ((omhoog && c.x == 1) || Muur(n)) {
                    continue;
                }
                bezoek(n);
            }
        }
        return bereikt;
    }

    const std::string& naam_;
    const DoolhofGrid& grid_;
    std::vector<Overtreding>& uit_;
};

} // namespace

std::string Beschrijf(const Overtreding& overtreding) {
    std::string regel = overtreding.bestand + ": ";
    if (overtreding.cel) {
        regel += "cell " + CelTekst(*overtreding.cel) + ": ";
    }
    regel += overtreding.uitleg;
    if (overtreding.eis == Eis::Plaatsing) {
        return regel + " (item placement)";
    }
    return regel + " (demand " + std::to_string(static_cast<int>(overtreding.eis)) + ")";
}

std::vector<Overtreding> ControleerDoolhoven(std::span<const DoolhofLevel> levels) {
    std::vector<Overtreding> uit;
    VlagGrid strikjes{};
    std::uint32_t lvl = 0;
    for (const DoolhofLevel& doolhofLevel : levels) {
        ++lvl;
        Controle controle(doolhofLevel, uit);
        controle.Rand();
        controle.IngangUitgang();
        const std::array<Cel, 2> beideStarts{StartCel, HerstartCel};
        controle.Friet(lvl == 1 ? std::span<const Cel>(beideStarts)
                                : std::span<const Cel>(beideStarts).subspan(1));
        controle.Strikjes(lvl, strikjes);
        controle.Plaatsing();
    }
    return uit;
}

std::string DumpDoolhof(const DoolhofGrid& grid) {
    std::string uit;
    for (std::uint32_t y = 1; y <= Rijen; ++y) {
        for (std::uint32_t x = 1; x <= Kolommen; ++x) {
            const char c = grid[x][y];
            uit += c >= ' ' && c <= '~' ? c : '?';
        }
        uit += '\n';
    }
    return uit;
}

} // namespace Meandor
