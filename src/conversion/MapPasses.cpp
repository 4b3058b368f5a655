#include "conversion/MapPasses.h"

#include <system_error>

namespace galemend {

namespace {
// How long a thread looks again before it sleeps: a result is mostly a few microseconds away,
// and the next map's passes come within the file operations of one map. Waking a thread that
// sleeps costs tens of microseconds, as much as the passes of a small map.
constexpr std::chrono::microseconds kResultSpin{200};
constexpr std::chrono::microseconds kJobSpin{2000};
}  // namespace

MapPasses::MapPasses(bool ahead) {
    if (ahead) {
        try {
            thread_ = std::thread([this] { Work(); });
        } catch (const std::system_error&) {
            // No second thread to be had: the passes run on the caller's, as without one.
        }
    }
}

MapPasses::~MapPasses() {
    if (thread_.joinable()) {
        Settle();
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        started_.notify_one();
        thread_.join();
    }
}

void MapPasses::StartAhead(const CodePage& codePage, MapLines mapLines, PassTemplates structure,
                           std::optional<PassTemplates> fix, bool diagnosticMode) {
    if (!thread_.joinable()) {
        return;
    }
    Settle();
    job_ = Job{&codePage, mapLines, std::move(structure), std::move(fix), diagnosticMode};
    structureError_ = fixError_ = nullptr;
    Reach(kStarted, started_);
}

std::string_view MapPasses::Structured(const CodePage& codePage, MapLines mapLines,
                                       const PassTemplates& templates) {
    if (job_ && job_->codePage == &codePage && job_->mapLines.data() == mapLines.data() &&
        job_->mapLines.size() == mapLines.size() && job_->structure == templates) {
        WaitFor(kStructured);
        if (structureError_) {
            std::rethrow_exception(structureError_);
        }
        return structured_;
    }
    // The work ahead used other templates: none of it counts, the fix pass included.
    Settle();
    RunStructure(codePage, mapLines, templates);
    return structured_;
}

std::string_view MapPasses::Fixed(const CodePage& codePage, MapLines mapLines,
                                  const PassTemplates& templates, bool diagnosticMode) {
    if (job_ && job_->fix == templates && job_->diagnosticMode == diagnosticMode) {
        WaitFor(kDone);
        if (fixError_) {
            std::rethrow_exception(fixError_);
        }
        return fixedBytes_;
    }
    Settle();
    RunFix(codePage, mapLines, templates, diagnosticMode);
    return fixedBytes_;
}

void MapPasses::Settle() {
    if (job_) {
        WaitFor(kDone);
        job_.reset();
    }
}

void MapPasses::RunStructure(const CodePage& codePage, MapLines mapLines,
                             const PassTemplates& templates) {
    text_.clear();
    StructurePass(templates, mapLines, text_);
    structured_ = codePage.Encode(text_, encoded_);
}

void MapPasses::RunFix(const CodePage& codePage, MapLines mapLines, const PassTemplates& templates,
                       bool diagnosticMode) {
    if (!diagnosticMode) {
        // The fix pass reads what the map holds by now: the structure pass's bytes, which
        // are its text when that is all ASCII.
        SplitLines(structured_.data() == text_.data() ? std::string_view(text_)
                                                      : codePage.Decode(structured_, current_),
                   currentLines_);
        mapLines = currentLines_;
    }
    fixed_.clear();
    FixPass(templates, mapLines, fixed_);
    fixedBytes_ = codePage.Encode(fixed_, fixedEncoded_);
}

void MapPasses::Work() {
    for (;;) {
        Await(started_, kJobSpin, [this] { return stopping_ || stage_ == kStarted; });
        if (stopping_) {
            return;
        }
        const Job& job = *job_;  // stays put until the job is done
        try {
            RunStructure(*job.codePage, job.mapLines, job.structure);
        } catch (...) {
            structureError_ = std::current_exception();
        }
        if (job.fix && !structureError_) {
            Reach(kStructured, progressed_);
            try {
                RunFix(*job.codePage, job.mapLines, *job.fix, job.diagnosticMode);
            } catch (...) {
                fixError_ = std::current_exception();
            }
        }
        Reach(kDone, progressed_);
    }
}

void MapPasses::WaitFor(Stage stage) {
    Await(progressed_, kResultSpin, [&] { return stage_ >= stage; });
}

void MapPasses::Reach(Stage stage, std::condition_variable& waiting) {
    {
        // Under the lock, so that a thread about to sleep sees the stage first.
        std::lock_guard lock(mutex_);
        stage_ = stage;
    }
    waiting.notify_one();
}

template <typename Ready>
void MapPasses::Await(std::condition_variable& waiting, std::chrono::microseconds spin,
                      Ready ready) {
    const auto until = std::chrono::steady_clock::now() + spin;
    for (int look = 0; !ready(); ++look) {
        if (look < 64) {
            continue;
        }
        if (std::chrono::steady_clock::now() > until) {
            std::unique_lock lock(mutex_);
            waiting.wait(lock, ready);
            return;
        }
        // The other thread may share this processor: let it go on meanwhile.
        std::this_thread::yield();
    }
}

}  // namespace galemend
