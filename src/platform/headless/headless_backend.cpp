// Placeholder until the headless backend lands: reports that it cannot run.
#include "platform/backend.h"
namespace platform {
std::unique_ptr<Backend> makeHeadlessBackend(const StartOptions&) { return nullptr; }
}
