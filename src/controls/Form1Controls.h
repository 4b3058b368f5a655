#pragma once

#include "controls/Controls.h"
#include "controls/Lists.h"
#include "platform/FileSystem.h"

namespace galemend {

// Every control of the main window with its designed caption and initial state. The
// window binds each of them to a real control; headless runs use them as they are.
struct Form1Controls {
    explicit Form1Controls(FileSystem& fs) : File1(fs), Dir1(fs) {
        Command6.SetEnabled(false);
        Command7.SetEnabled(false);
    }
    Form1Controls(const Form1Controls&) = delete;
    Form1Controls& operator=(const Form1Controls&) = delete;

    Label Caption{"merrow's corv & Sundering map updater"};  // the window's title bar

    FileList File1;
    FolderList Dir1;

    Button Command1{"find galaxies"};
    Button Command2{"fix found galaxies"};
    Button Command3{"exit"};
    Button Command4{"program space galaxies"};
    Button Command5{"user space galaxies"};
    Button Command6{"corv/concord"};
    Button Command7{"sundering"};

    TextBox Text1;
    TextBox Text2;

    Label Label1{"stage "};
    Label Label2{"Please wait processing"};
    Label Label3{"of 2"};
    Label Label4{"0"};
    Label Label5{"galaxies out of"};
    Label Label6{"0"};
    Label Label7{"updated"};
    Label Label8{"0"};
    Label Label9{"found galaxy files"};
    Label Label10{"fixed galaxy files"};
    Label Label11{"cpu"};
    Label Label12{"cpu ident"};
    Label Label13{"cpulevel"};
    Label Label14{"cpurev"};
    Label Label15{"winver"};
    Label Label16{"winbits"};
    Label Label17{"cores"};
    Label Label18{"os"};
    Label Label19{"silent mode the buttons do not work", false};
};

}  // namespace galemend
