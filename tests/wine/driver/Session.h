#pragma once

#include <windows.h>

#include <cstdio>
#include <optional>
#include <set>
#include <string>

#include "Handle.h"

namespace galemend::e2e {

// Runs the commands of one scenario script against one program at a time, and writes what
// it finds as lines "<tag> <what> <value>" for the scenario script to assert on.
class Session {
  public:
    explicit Session(std::FILE* out) : out_(out) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session();

    // One script line; throws DriverError when the command cannot be carried out.
    void Run(const std::string& line);
    // After the last line: a program still running is a fault of the scenario.
    void Finish();
    // After an error: reports what the program shows and ends it.
    void Abort();

  private:
    struct Child {
        UniqueHandle process;
        UniqueHandle thread;
        DWORD id = 0;
    };

    void Start(const std::string& commandLine);
    void FindMainWindow(const std::string& tag, const std::string& captionPrefix);
    void Controls(const std::string& tag);
    void ToolTips(const std::string& tag);
    void Click(int id);
    void Choose(int id, const std::string& item, bool doubleClick);
    void Idle();
    void MessageBoxFacts(const std::string& tag);
    void Answer(int id);
    void Exit(const std::string& tag);
    void Screenshot(const std::string& name);
    void Version(const std::string& tag, const std::string& path);
    void Folders(const std::string& tag);

    void Line(const std::string& tag, const std::string& rest);
    template <class Ready>
    void WaitFor(Ready ready, const std::string& what);
    void Observe();
    bool Running() const;
    Child& RequireChild();
    HWND RequireMain();
    HWND FindMessageBox();
    // Waits until a message box opens or the program ends; the box, or null.
    HWND WaitForMessageBoxOrEnd(const std::string& what);
    std::string BoxText(HWND box);
    DWORD ExitCode();
    void SendClick(HWND button);
    static void CALLBACK ClickReplied(HWND, UINT, ULONG_PTR session, LRESULT);

    std::FILE* out_;
    DWORD timeoutMs_ = 60000;
    std::string folder_;
    std::string shotsFolder_;
    std::optional<Child> child_;
    HWND main_ = nullptr;
    bool clickPending_ = false;
    std::set<HWND> seenWindows_;
};

}  // namespace galemend::e2e
