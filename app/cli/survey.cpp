#include <cstdio>

#include "cli.h"
#include "engine/influence.h"
#include "position.h"
#include "rules/mate.h"

namespace zorvan::cli {

namespace {

// The maps in the order they are printed.
struct NamedMap {
    const char* name;
    SquareMap InfluenceMaps::*map;
};
constexpr NamedMap kMaps[] = {
    {"OWN_INFLUENCE", &InfluenceMaps::OWN_INFLUENCE},
    {"ENEMY_INFLUENCE", &InfluenceMaps::ENEMY_INFLUENCE},
    {"OWN_GUARD_CODE", &InfluenceMaps::OWN_GUARD_CODE},
    {"ENEMY_GUARD_CODE", &InfluenceMaps::ENEMY_GUARD_CODE},
    {"ENEMY_GUARD_X", &InfluenceMaps::ENEMY_GUARD_X},
    {"ENEMY_GUARD_Y", &InfluenceMaps::ENEMY_GUARD_Y},
    {"OWN_ATTACKER_CODE", &InfluenceMaps::OWN_ATTACKER_CODE},
    {"OWN_ATTACKER_X", &InfluenceMaps::OWN_ATTACKER_X},
    {"OWN_ATTACKER_Y", &InfluenceMaps::OWN_ATTACKER_Y},
    {"ENEMY_ATTACKER_CODE", &InfluenceMaps::ENEMY_ATTACKER_CODE},
    {"ENEMY_ATTACKER_X", &InfluenceMaps::ENEMY_ATTACKER_X},
    {"ENEMY_ATTACKER_Y", &InfluenceMaps::ENEMY_ATTACKER_Y},
    {"OWN_CHECK_MAP", &InfluenceMaps::OWN_CHECK_MAP},
    {"ENEMY_CHECK_MAP", &InfluenceMaps::ENEMY_CHECK_MAP},
};

const char* onOff(int answer) {
    return answer == ON ? "ON" : "OFF";
}

}  // namespace

int runSurvey(const Args& args) {
    GameState g;
    Args rest;
    if (const int status = setUpPosition(args, g, rest)) return status;
    if (!rest.empty()) return usageError("survey: unexpected argument '" + rest.front() + "'");

    勢力調査(g);
    for (const NamedMap& named : kMaps) {
        std::printf("%s\n", named.name);
        const SquareMap& map = g.maps.*named.map;
        for (int y = 1; y <= 9; ++y) {
            for (int x = 1; x <= 9; ++x) std::printf("%5d", map[x][y]);
            std::printf("\n");
        }
    }
    std::printf("kings: %d %d %d %d\n", g.OWN_KING_X, g.OWN_KING_Y, g.ENEMY_KING_X, g.ENEMY_KING_Y);
    g.maps.ESCAPE_MAP = SquareMap{};
    std::printf("escapes: %d\n", 調査_自王逃道(g));
    std::printf("mate lower: %s\n", onOff(詰めかMAN(g)));
    std::printf("mate upper: %s\n", onOff(詰めかCOM(g)));  // last: it surveys its trials
    return 0;
}

}  // namespace zorvan::cli
