#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "conversion/Rewriting.h"
#include "conversion/Templates.h"
#include "text/CodePage.h"
#include "text/Text.h"

namespace galemend {

// The passes of one map, from its text to the bytes to write, with the buffers they reuse
// from map to map.
//
// The work can run ahead on a second thread while the file operations before each pass are
// made. Templates are read again for every map but mostly come back unchanged, so a map's
// passes start with the templates last loaded under the same names; a pass's bytes are taken
// only when the templates loaded in the end are those it ran with, else it runs again. Every
// file operation stays with the caller, in the same order either way.
class MapPasses {
  public:
    // With ahead set, a second thread takes the work started ahead.
    explicit MapPasses(bool ahead = false);
    ~MapPasses();
    MapPasses(const MapPasses&) = delete;
    MapPasses& operator=(const MapPasses&) = delete;

    // Takes a map's text, which must stay as it is until Finish, and starts on the second
    // thread, if there is one, splitting it into lines and the passes whose templates are
    // given: the structure pass, then the fix pass.
    void Start(const CodePage& codePage, std::string_view mapText, bool diagnosticMode,
               std::optional<PassTemplates> structure, std::optional<PassTemplates> fix);

    // The structure pass's bytes. Throws ConversionError as the pass does.
    std::string_view Structured(const PassTemplates& templates);
    // The fix pass's bytes, after Structured: it reads the structure pass's bytes, or in
    // diagnostic mode the map's own lines.
    std::string_view Fixed(const PassTemplates& templates);

    // Waits until nothing runs ahead; the map's text may change after.
    void Finish();

  private:
    struct Job {
        std::optional<PassTemplates> structure, fix;
    };
    enum Stage { kStarted, kStructured, kDone };

    // Each fills the buffers below; the fix pass reads what the structure pass left.
    MapLines Lines();
    void RunStructure(const PassTemplates& templates);
    void RunFix(const PassTemplates& templates);
    // Waits for the work ahead and forgets it.
    void Settle();
    // The bytes of a pass: those made ahead when ranAhead (rethrowing the pass's error), else
    // those of run, after the work ahead is settled.
    template <typename Run>
    std::string_view Take(bool ranAhead, Stage stage, const std::exception_ptr& error,
                          const std::string_view& bytes, Run run);

    void Work();
    void WaitFor(Stage stage);
    // Sets the stage and wakes a thread that waits for it.
    void Reach(Stage stage, std::condition_variable& waiting);
    // Waits until ready() holds: first by looking again for a while, as the other thread is
    // mostly about to get there and waking a thread that sleeps costs more than the wait.
    template <typename Ready>
    void Await(std::condition_variable& waiting, std::chrono::microseconds spin, Ready ready);

    const CodePage* codePage_ = nullptr;
    std::string_view mapText_;
    bool diagnosticMode_ = false;
    bool split_ = false;
    LineViews mapLines_;
    std::string text_;     // the structure pass's text
    LineEnds ends_;        // where its lines end
    std::string encoded_;  // its bytes, where the text is not all ASCII
    std::string_view structured_;
    std::string current_;  // those bytes decoded again, where not ASCII
    LineViews currentLines_;
    std::string fixed_;         // the fix pass's text
    std::string fixedEncoded_;  // its bytes, where the text is not all ASCII
    std::string_view fixedBytes_;

    // What runs ahead; the errors its passes threw are rethrown when their bytes are taken.
    std::optional<Job> job_;
    std::exception_ptr structureError_, fixError_;
    std::atomic<Stage> stage_ = kDone;
    std::atomic<bool> stopping_ = false;
    std::mutex mutex_;
    std::condition_variable started_, progressed_;
    std::thread thread_;  // last: it starts once the rest is ready
};

}  // namespace galemend
