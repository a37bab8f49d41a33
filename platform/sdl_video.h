// Brings SDL's video subsystem up once, on first use, for windows and display.
#pragma once

namespace plat {
bool ensure_video();
}
