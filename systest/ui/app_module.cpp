#include "systest/ui/app_module.h"

MessageLoop* AppModule::ThreadMessageLoop() const {
    const auto loop = loops_.find(GetCurrentThreadId());
    return loop == loops_.end() ? nullptr : loop->second;
}
