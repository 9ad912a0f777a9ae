// Placeholder until the X11 backend lands: reports that it cannot run.
#include "platform/backend.h"
namespace platform {
std::unique_ptr<Backend> makeX11Backend() { return nullptr; }
}
