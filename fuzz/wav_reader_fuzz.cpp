// The sound library's WAV reader: any bytes are refused with a reason or accepted as an image
// that lies inside them, and the minimal file made of an accepted image reads as the same image.
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz_check.h"
#include "wav_image.h"

using namespace zorvan::sound;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WavImage image;
    if (const char* reason = parseWav(data, size, image)) {
        FUZZ_CHECK(*reason != '\0');
        return 0;
    }
    const WavFormat& f = image.format;
    FUZZ_CHECK(f.channels > 0 && f.blockAlign() > 0);
    FUZZ_CHECK(image.sampleBytes % f.blockAlign() == 0);
    FUZZ_CHECK(image.sampleBytes == 0 ||
               (image.samples >= data && image.samples <= data + size &&
                image.sampleBytes <= size_t(data + size - image.samples)));

    const std::vector<std::uint8_t> canonical = canonicalWav(image);
    WavImage again;
    FUZZ_CHECK(parseWav(canonical.data(), canonical.size(), again) == nullptr);
    FUZZ_CHECK(again.format.kind == f.kind && again.format.channels == f.channels);
    FUZZ_CHECK(again.format.sampleRate == f.sampleRate);
    FUZZ_CHECK(again.format.bitsPerSample == f.bitsPerSample);
    FUZZ_CHECK(again.sampleBytes == image.sampleBytes);
    FUZZ_CHECK(image.sampleBytes == 0 ||
               std::memcmp(again.samples, image.samples, image.sampleBytes) == 0);
    return 0;
}
