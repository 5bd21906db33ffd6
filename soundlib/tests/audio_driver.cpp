// The tests never need a sound card: unless told otherwise, SDL plays into its dummy driver.
#include <cstdlib>

namespace {

const bool kDummyDriverChosen = setenv("SDL_AUDIODRIVER", "dummy", 0) == 0;

}  // namespace
