// libFuzzer target for the record reader: any bytes must load or be refused without crashing,
// and a loaded record never puts an invalid code into the history.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/game_state.h"
#include "platform/text/cp932_codec.h"
#include "records/record_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static zorvan::Cp932Codec codec;
    zorvan::GameState g;
    zorvan::RecordHeaders headers;
    int moves = 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (zorvan::parseRecord(bytes, codec, g, headers, moves) == zorvan::RecordError::None) {
        for (int k = 1; k <= moves; ++k)
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y)
                    if (g.HISTORY[k][x][y] < -20 || g.HISTORY[k][x][y] > 20) std::abort();
    }
    return 0;
}
