#pragma once

// Child-window identifiers of the main window's controls. The end-to-end test driver finds
// controls by these numbers, so they never change.
namespace galemend::control_id {

constexpr int kCommandBase = 100;  // Command1 .. Command7 are 101 .. 107
constexpr int kLabelBase = 200;    // Label1 .. Label19 are 201 .. 219
constexpr int kText1 = 301;
constexpr int kText2 = 302;
constexpr int kDrive1 = 401;
constexpr int kDir1 = 402;
constexpr int kFile1 = 403;

constexpr int Command(int n) { return kCommandBase + n; }
constexpr int Label(int n) { return kLabelBase + n; }

}  // namespace galemend::control_id
