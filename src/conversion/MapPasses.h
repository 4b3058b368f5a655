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

// The passes of one map, from its lines to the bytes to write, with the buffers they reuse
// from map to map.
//
// The passes can run ahead on a second thread while the file operations before each of them
// are made. Templates are read again for every map but mostly come back unchanged, so a map's
// passes start with the templates last loaded under the same names; a pass's bytes are taken
// only when the templates loaded in the end are those it ran with, else it runs again. Every
// file operation stays with the caller, in the same order either way.
class MapPasses {
  public:
    // With ahead set, a second thread takes the passes started ahead.
    explicit MapPasses(bool ahead = false);
    ~MapPasses();
    MapPasses(const MapPasses&) = delete;
    MapPasses& operator=(const MapPasses&) = delete;

    // Starts a map's passes on the second thread, if there is one: the structure pass with
    // one pair of templates, then with fix set the fix pass with another. The lines and the
    // code page must stay as they are until Settle.
    void StartAhead(const CodePage& codePage, MapLines mapLines, PassTemplates structure,
                    std::optional<PassTemplates> fix, bool diagnosticMode);

    // The structure pass's bytes. Throws ConversionError as the pass does.
    std::string_view Structured(const CodePage& codePage, MapLines mapLines,
                                const PassTemplates& templates);
    // The fix pass's bytes, after Structured: it reads the structure pass's bytes, or in
    // diagnostic mode the map's own lines.
    std::string_view Fixed(const CodePage& codePage, MapLines mapLines,
                           const PassTemplates& templates, bool diagnosticMode);

    // Waits until nothing runs ahead, so that the map's lines may change.
    void Settle();

  private:
    struct Job {
        const CodePage* codePage;
        MapLines mapLines;
        PassTemplates structure;
        std::optional<PassTemplates> fix;
        bool diagnosticMode;
    };
    enum Stage { kStarted, kStructured, kDone };

    // Each fills the buffers below; the fix pass reads what the structure pass left.
    void RunStructure(const CodePage& codePage, MapLines mapLines, const PassTemplates& templates);
    void RunFix(const CodePage& codePage, MapLines mapLines, const PassTemplates& templates,
                bool diagnosticMode);
    void Work();
    void WaitFor(Stage stage);
    // Sets the stage and wakes a thread that waits for it.
    void Reach(Stage stage, std::condition_variable& waiting);
    // Waits until ready() holds: first by looking again for a while, as the other thread is
    // mostly about to get there and waking a thread that sleeps costs more than the wait.
    template <typename Ready>
    void Await(std::condition_variable& waiting, std::chrono::microseconds spin, Ready ready);

    std::string text_;     // the structure pass's text
    std::string encoded_;  // its bytes, where the text is not all ASCII
    std::string_view structured_;
    std::string current_;  // those bytes decoded again for the fix pass, where not ASCII
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
