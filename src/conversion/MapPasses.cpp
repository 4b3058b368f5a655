#include "conversion/MapPasses.h"

#include <system_error>

namespace galemend {

namespace {
// How long a thread looks again before it sleeps: a result is mostly a few microseconds away,
// and the next map's passes come within the file operations of one map. Waking a thread that
// sleeps costs tens of microseconds, as much as the passes of a small map.
constexpr std::chrono::microseconds kResultSpin{200};
constexpr std::chrono::microseconds kJobSpin{2000};
// The lines of a text written line by line, given where each ends, as SplitLines gives
// them: a text of lines that each end in CR LF and hold none splits at those ends, after the
// trailing CR LFs are dropped, which drops the empty lines at the end.
void LinesAt(std::string_view text, const std::vector<size_t>& ends, LineViews& lines) {
    lines.clear();
    size_t start = 0;
    for (const size_t end : ends) {
        lines.emplace_back(text.data() + start, end - 2 - start);
        start = end;
    }
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
}

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

void MapPasses::Start(const CodePage& codePage, std::string_view mapText, bool diagnosticMode,
                      std::optional<PassTemplates> structure, std::optional<PassTemplates> fix) {
    Finish();
    codePage_ = &codePage;
    mapText_ = mapText;
    diagnosticMode_ = diagnosticMode;
    if (thread_.joinable()) {
        // The fix pass reads the structure pass's output, so it runs ahead only after it.
        job_ = Job{structure, structure ? std::move(fix) : std::nullopt};
        structureError_ = fixError_ = nullptr;
        Reach(kStarted, started_);
    }
}

std::string_view MapPasses::Structured(const PassTemplates& templates) {
    return Take(job_ && job_->structure == templates, kStructured, structureError_, structured_,
                [&] { RunStructure(templates); });
}

std::string_view MapPasses::Fixed(const PassTemplates& templates) {
    return Take(job_ && job_->fix == templates, kDone, fixError_, fixedBytes_,
                [&] { RunFix(templates); });
}

template <typename Run>
std::string_view MapPasses::Take(bool ranAhead, Stage stage, const std::exception_ptr& error,
                                 const std::string_view& bytes, Run run) {
    if (ranAhead) {
        WaitFor(stage);
        if (error) {
            std::rethrow_exception(error);
        }
        return bytes;
    }
    // The work ahead used other templates: none of its passes count, later ones included.
    Settle();
    run();
    return bytes;
}

void MapPasses::Finish() {
    Settle();
    split_ = false;
    mapText_ = {};
}

void MapPasses::Settle() {
    if (job_) {
        WaitFor(kDone);
        job_.reset();
    }
}

MapLines MapPasses::Lines() {
    if (!split_) {
        SplitLines(mapText_, mapLines_);
        split_ = true;
    }
    return mapLines_;
}

void MapPasses::RunStructure(const PassTemplates& templates) {
    const MapLines mapLines = Lines();
    StructurePass(templates, mapLines, text_, &ends_);
    structured_ = codePage_->Encode(text_, encoded_);
}

void MapPasses::RunFix(const PassTemplates& templates) {
    MapLines lines = Lines();
    if (!diagnosticMode_) {
        // The fix pass reads what the map holds by now: the structure pass's bytes, which
        // are its text when that is all ASCII, and then split where its lines end.
        if (structured_.data() == text_.data() && !ends_.lineEndInside) {
            LinesAt(text_, ends_.ends, currentLines_);
        } else {
            SplitLines(codePage_->Decode(structured_, current_), currentLines_);
        }
        lines = currentLines_;
    }
    FixPass(templates, lines, fixed_);
    fixedBytes_ = codePage_->Encode(fixed_, fixedEncoded_);
}

void MapPasses::Work() {
    for (;;) {
        Await(started_, kJobSpin, [this] { return stopping_ || stage_ == kStarted; });
        if (stopping_) {
            return;
        }
        const Job& job = *job_;  // stays put until the job is done
        try {
            Lines();
            if (job.structure) {
                RunStructure(*job.structure);
            }
        } catch (...) {
            structureError_ = std::current_exception();
        }
        if (job.structure && job.fix && !structureError_) {
            Reach(kStructured, progressed_);
            try {
                RunFix(*job.fix);
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
