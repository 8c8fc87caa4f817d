#include "platform/work_progress.h"

namespace torvex {

namespace {

thread_local WorkToken* Bound = nullptr;

} // namespace

WorkScope::WorkScope(WorkToken& token) : Before(Bound) {
    Bound = &token;
}

WorkScope::~WorkScope() {
    Bound = Before;
}

void WorkStep(std::string_view stage, size_t done, size_t total) {
    WorkToken* token = Bound;
    if (token == nullptr)
        return;
    if (token->Cancelled())
        throw WorkCancelled();
    if (token->Hears)
        token->Hears(stage,
                     total == 0 ? -1.0 : static_cast<double>(done) / static_cast<double>(total));
}

} // namespace torvex
