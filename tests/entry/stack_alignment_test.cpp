#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/definition_parser.h"
#include "plugin/menus/ie_menu_data.h"
#include "tests/support/files.h"

namespace {

// Windows and older browsers call a 32-bit plug-in with the stack aligned to
// four bytes only; the definition reader keeps SSE2 values on the stack, so
// the 32-bit build must align it itself. 64-bit code always has 16.
struct Intake {
    std::string path;
    int read = 0;
    int transferred = 0;
    std::string lastUrl;
};

void ReadAndTransfer(void* argument) {
    Intake& intake = *static_cast<Intake*>(argument);
    CIEMenuData lines;
    CBarMenuData menus;
    intake.read = ReadDefinition(lines, intake.path.c_str());
    intake.transferred = lines.TransferTo(&menus);
    intake.lastUrl = menus.GetEntryUrl(400);
}

#if defined(__i386__)
// Calls fn(argument) with the stack pointer four bytes off a 16-byte
// boundary at the call, as such a caller leaves it.
__attribute__((noinline)) void CallOnFourByteAlignedStack(void (*fn)(void*), void* argument) {
    asm volatile(
        "mov %%esp, %%esi\n\t"
        "and $-16, %%esp\n\t"
        "sub $8, %%esp\n\t"
        "push %1\n\t"
        "call *%0\n\t"
        "mov %%esi, %%esp\n\t"
        :
        : "r"(fn), "r"(argument)
        : "esi", "eax", "ecx", "edx", "memory", "cc");
}
#else
void CallOnFourByteAlignedStack(void (*fn)(void*), void* argument) { fn(argument); }
#endif

TEST(StackAlignment, DefinitionIntakeOnAFourByteAlignedStack) {
    std::string page = "<embed type=\"application/vnd.vantrel-zorbit\" filename=\"m.htm\">\r\n";
    page += "TITLE \"Links\"\r\n";
    for (int i = 1; i <= 400; ++i)
        page += "<p>MENUITEM \"Link " + std::to_string(i) + ";l" + std::to_string(i) + ".htm\"</p>\r\n";
    page += "TITLE \"END\"\r\n";
    support::TempFolder folder;
    Intake intake;
    intake.path = folder / "m.htm";
    support::WriteBytes(intake.path, page);

    Intake aligned = intake;
    ReadAndTransfer(&aligned);
    CallOnFourByteAlignedStack(ReadAndTransfer, &intake);
    EXPECT_EQ(1, aligned.read);
    EXPECT_EQ(aligned.read, intake.read);
    EXPECT_EQ(aligned.transferred, intake.transferred);
    EXPECT_EQ("l400.htm", aligned.lastUrl);
    EXPECT_EQ(aligned.lastUrl, intake.lastUrl);
}

}  // namespace
