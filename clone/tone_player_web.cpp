#include "clone/tone_player_os.h"

// The page plays its tones itself, through the Web Audio API of the page's clone host: the core
// has no sound service of its own there.
std::unique_ptr<CSoundStream> CSoundStream::Open(unsigned)
{
    return nullptr;
}
