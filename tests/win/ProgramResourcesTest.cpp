// The built program holds every resource it looks up, by the names and numbers it uses.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// The program's path as Wine sees a Unix path: Z: is the root of the Unix file system.
std::string ProgramPath() {
    std::string path = "Z:" HB_EXE_PATH;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

TEST(ProgramResources, EveryBitmapSoundDialogTextCursorAndIconIsInTheProgram) {
    HMODULE program = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, program) << ProgramPath();
    for (const char* name :
         {"DotPattern", "TitleArea", "QuitBtn", "QuitBtnDn", "PrintBtn", "PrintBtnDn", "ClearBtn",
          "ClearBtnDn", "InfoBtn", "InfoBtnDn", "UpBtn", "UpBtnDn", "DownBtn", "DownBtnDn",
          "ColorBtn", "ColorBtnDn", "Titles", "IntroScr", "CopyRight"})
        EXPECT_NE(nullptr, FindResourceA(program, name, MAKEINTRESOURCEA(2))) << name; // RT_BITMAP
    for (int number = 1; number <= 8; ++number)
        EXPECT_NE(nullptr, FindResourceA(program, MAKEINTRESOURCEA(number), "WAVE")) << number;
    EXPECT_NE(nullptr, FindResourceA(program, "CLEARWAVE", "WAVE"));
    for (const char* name :
         {"ShareIntroDlg", "InfoDlg", "ShareAboutDlg", "PrintingDlg", "ModelessDlg"})
        EXPECT_NE(nullptr, FindResourceA(program, name, MAKEINTRESOURCEA(5))) << name; // RT_DIALOG
    EXPECT_NE(nullptr,
              FindResourceA(program, "EditCursor", MAKEINTRESOURCEA(12))); // RT_GROUP_CURSOR
    EXPECT_NE(nullptr,
              FindResourceA(program, "HueberryIcon", MAKEINTRESOURCEA(14))); // RT_GROUP_ICON
    char text[512];
    for (int number = 1; number <= 9; ++number)
        EXPECT_GT(LoadStringA(program, number, text, sizeof text), 0) << number;
    EXPECT_EQ(0, LoadStringA(program, 10, text, sizeof text));
    // Every resource carries the language English (United States).
    EXPECT_NE(nullptr, FindResourceExA(program, MAKEINTRESOURCEA(2), "TITLES",
                                       MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)));
    FreeLibrary(program);
}

} // namespace
