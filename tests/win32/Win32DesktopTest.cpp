// The editor on the Win32 backend, on a real desktop (Wine on Xvfb): where its windows stand,
// its menus and access keys, the pixels of its map display, its message and input boxes, and
// saves, loads and Tiled maps through the common file dialogs.

#include "formats/MapFile.h"
#include "formats/TiledMapFile.h"
#include "overlay/DatView.h"
#include "overview/Overview.h"
#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tests/support/EditorFixture.h"
#include "tests/win32/BmpFile.h"
#include "tests/win32/Win32Desktop.h"
#include "tiles/TileView.h"
#include "toolkit/win32/Win32Application.h"
#include "toolkit/win32/Win32Controls.h"
#include "toolkit/win32/Win32Dialogs.h"
#include "toolkit/win32/Win32Surface.h"
#include "toolkit/win32/Win32Toolkit.h"
#include "toolkit/win32/Win32Window.h"

namespace korvane::win32::testing_desktop {
namespace {

namespace fs = std::filesystem;
using toolkit::MessageButtons;
using toolkit::MessageResult;

// The common file dialog's list of file types.
constexpr int kFileTypeList = 0x470;
// The message box's text and icon.
constexpr int kMessageText = 0xFFFF;
constexpr int kMessageIcon = 0x440;

std::string ItemText(HWND box, int id) {
  return TextOf(::GetDlgItem(box, id));
}

// The fixtures the test script made on the Linux side; empty when there are none.
std::string Fixtures() {
  const char* dir = std::getenv("KORVANE_WINE_FIXTURES");
  return dir ? dir : "";
}

class Win32Editor : public testing::Test {
 protected:
  ~Win32Editor() override {
    editor.reset();
    Settle();
  }
  // The editor started as korvane.exe starts it, on the command line given; with a map, until
  // the map is shown.
  void Open(const std::string& commandLine) {
    toolkit = std::make_unique<Win32Toolkit>(commandLine, folder);
    editor = std::make_unique<Editor>(*toolkit);
    editor->Start();
    if (commandLine.empty())
      Settle();
    else
      ASSERT_TRUE(
          RunUntil([&] { return view().Map.MapWidth > 0 && editor->Global().TileSize > 0; }));
    Settle();
  }
  MapView& view() { return editor->mapView(); }
  HWND Main() { return static_cast<Win32Window&>(*view().window).Handle(); }
  static HWND WindowOf(toolkit::Window& w) { return static_cast<Win32Window&>(w).Handle(); }
  template <typename Interface>
  static HWND HandleOf(Interface* control) {
    return dynamic_cast<Win32Control<Interface>&>(*control).Handle();
  }
  Win32Surface& Display() { return static_cast<Win32Surface&>(*view().Display); }
  std::string CopyOfDemoMap(const std::string& name) {
    const std::string path = folder + "\\" + name;
    fs::copy_file(fs::path(KORVANE_DEMO_MAP), fs::path(Widen(path)));
    return path;
  }

  // With the separators a user types into the dialogs.
  const std::string folder = [] {
    std::string path = testing_support::FreshFolder();
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
  }();
  std::unique_ptr<Win32Toolkit> toolkit;
  std::unique_ptr<Editor> editor;
};

RECT WindowRect(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return r;
}

// A child's place within its window's client area, in pixels.
toolkit::PixelRect ChildPixels(HWND child) {
  RECT r = WindowRect(child);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

TEST_F(Win32Editor, WindowsStandWhereTheyAreDesigned) {
  Open("");
  const double sw = toolkit->ScreenWidth(), sh = toolkit->ScreenHeight();
  const auto px = [](double twips) { return toolkit::TwipsToPixels(twips, TheUi().tppX); };
  struct Designed {
    HWND hwnd;
    double left, top, width, height;  // twips; a width of 0: the window keeps its own size
  };
  const Designed windows[] = {
      {Main(), sw / 50, sh / 25, sw / 1.8, sh * 90 / 100},
      {WindowOf(*editor->tileView().window), sw / 1.7, sh / 25, sw / 2.5, sh * 0.9},
      {WindowOf(*editor->datView().window), sw / 1.7, sh / 25, 0, 0}};
  for (const auto& w : windows) {
    const RECT r = WindowRect(w.hwnd);
    const toolkit::PixelRect designed{px(w.left), px(w.top), px(w.width), px(w.height)};
    const toolkit::PixelRect shown{r.left, r.top, w.width > 0 ? r.right - r.left : designed.width,
                                   w.width > 0 ? r.bottom - r.top : designed.height};
    EXPECT_EQ(shown, designed) << TextOf(w.hwnd);
  }
  EXPECT_EQ(TextOf(Main()), "Korvane");
  EXPECT_TRUE(::IsWindowVisible(windows[1].hwnd));
  EXPECT_FALSE(::IsWindowVisible(windows[2].hwnd));
  RECT client{};
  ::GetClientRect(windows[2].hwnd, &client);  // the catalogue's designed inner size
  EXPECT_EQ((toolkit::PixelRect{0, 0, client.right, client.bottom}),
            (toolkit::PixelRect{0, 0, px(3015), px(2115)}));

  // The main window's layout: the display, the bars and the undo button around it, the tool
  // strip in six equal columns.
  ::GetClientRect(Main(), &client);
  const double w = client.right * TheUi().tppX, h = client.bottom * TheUi().tppY;
  MapView& v = view();
  const Designed controls[] = {{HandleOf(v.Display), 0, 375, w - 255, h - 630},
                               {HandleOf(v.HScroll), 0, h - 255, w - 255, 255},
                               {HandleOf(v.VScroll), w - 255, 375, 255, h - 630},
                               {HandleOf(v.CommandUndo), w - 255, h - 255, 255, 255},
                               {HandleOf(v.Grid), 0, 0, w / 6, 375},
                               {HandleOf(v.FloodFillMap), 3 * w / 6, 0, w / 6, 375},
                               {HandleOf(v.MultipleTiles), 5 * w / 6, 0, w / 6, 315}};
  for (const auto& c : controls)
    EXPECT_EQ(ChildPixels(c.hwnd), PixelsOf(c.left, c.top, c.width, c.height)) << TextOf(c.hwnd);
}

std::vector<std::string> MenuTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    texts.push_back(Narrow(text));
  }
  return texts;
}

// Alt with a menu's access key, then an entry's, typed into the window.
void PressAccessKeys(HWND window, WORD menu, WORD entry) {
  ::SetForegroundWindow(window);
  ::SetFocus(window);
  std::vector<INPUT> inputs;
  const WORD keys[] = {VK_MENU, menu, menu, VK_MENU, entry, entry};
  for (const WORD key : keys) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    // Each key goes down, then up: Alt around the menu's key.
    const auto before =
        std::ranges::count_if(inputs, [key](const INPUT& i) { return i.ki.wVk == key; });
    in.ki.dwFlags = before % 2 ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(in);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The menus as designed, and their access keys reach the commands from the keyboard.
TEST_F(Win32Editor, MenusAnswerTheirAccessKeys) {
  const std::string map = CopyOfDemoMap("keys.map");
  Open(map);
  HMENU bar = ::GetMenu(Main());
  EXPECT_EQ(MenuTexts(bar), (std::vector<std::string>{"&File", "T&ools", "&Symmetry"}));
  EXPECT_EQ(MenuTexts(::GetSubMenu(bar, 0)),
            (std::vector<std::string>{"&New Map", "", "Load &Map", "Load &Tiles", "", "&Save Map",
                                      "Save Map &As", "", "&Import Tiled Map...",
                                      "E&xport to Tiled..."}));
  EXPECT_EQ(MenuTexts(::GetSubMenu(bar, 1)),
            (std::vector<std::string>{"S&witch Mode", "", "Edit &Human Resources",
                                      "Edit &Computer Resources", "", "&Overview"}));
  EXPECT_EQ(MenuTexts(::GetSubMenu(bar, 2)),
            (std::vector<std::string>{"&Off", "&Left-Right Mirror", "&Top-Bottom Mirror",
                                      "&Four-Way Mirror", "&Rotate Half Turn"}));

  view().Map.MapTiles.Set(0, 0, 5);
  view().Map.MapChanged = 1;
  PressAccessKeys(Main(), 'F', 'S');
  ASSERT_TRUE(RunUntil([&] { return view().Map.MapChanged == 0; }, 10)) << "Alt+F, S did not save";
  EXPECT_EQ(Bytes(map)[28], 5);  // the first cell, after the 28 bytes of the header
  PressAccessKeys(Main(), 'O', 'W');
  EXPECT_TRUE(RunUntil([&] { return editor->DatViewVisible(); }, 10)) << "Alt+O, W: no catalogue";
  // The symmetry entries carry the check mark of the one chosen.
  PressAccessKeys(Main(), 'S', 'F');
  ASSERT_TRUE(RunUntil([&] { return view().MapSymmetry == Symmetry::FourWay; }, 10))
      << "Alt+S, F: no four-way symmetry";
  HMENU symmetry = ::GetSubMenu(bar, 2);
  const auto checked = [symmetry](UINT i) {
    return (::GetMenuState(symmetry, i, MF_BYPOSITION) & MF_CHECKED) != 0;
  };
  EXPECT_EQ(std::pair(checked(0), checked(3)), std::pair(false, true));

  PressAccessKeys(Main(), 'O', 'O');
  ASSERT_TRUE(
      RunUntil([&] { return editor->overview() && editor->overview()->window->Visible(); }, 10))
      << "Alt+O, O: no overview";

  // The overview, 6 pixels a cell, shows the demo map's cells as the Linux one does (pixel (2, 2)
  // of each cell is off the frame and the dots); a press on the last cell shows the last page.
  Settle();
  const HWND picture = HandleOf(editor->overview()->Display);
  const Bitmap& shown = static_cast<Win32Surface&>(*editor->overview()->Display).Image();
  EXPECT_EQ(shown.At(1 * 6 + 2, 0 * 6 + 2), 0x1F479Fu);  // tile 18, as korvane-cli gives it
  EXPECT_EQ(FirstDifference(Shown(picture), 0, 0, shown, 0, 0, 240, 180), "");
  ::SendMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(39 * 6 + 3, 29 * 6 + 3));
  EXPECT_EQ(view().HScroll->Value(), view().HScroll->Max());
  EXPECT_EQ(view().VScroll->Value(), view().VScroll->Max());
}

// The display shows the demo map as korvane-cli renders it (the test script converted the
// renders to bitmaps): at zoom 1 without grid and at zoom 2 with grid, the whole cells on the
// first page; and the window shows what the surface holds.
TEST_F(Win32Editor, TheMapDisplayShowsWhatTheRenderDraws) {
  if (Fixtures().empty()) GTEST_SKIP() << "KORVANE_WINE_FIXTURES is not set";
  Open(KORVANE_DEMO_MAP);
  for (const auto& [zoom, grid, file] :
       {std::tuple(1, 0, "demo-zoom1.bmp"), std::tuple(2, 1, "demo-zoom2-grid.bmp")}) {
    const toolkit::PicturePtr reference = toolkit->LoadPicture(Fixtures() + "\\" + file);
    ASSERT_NE(reference, nullptr) << file;
    if (view().MapZoomFactor != zoom) view().MapZoom_Click();
    if (view().GridOn != grid) view().Grid_Click();
    Settle();
    const Bitmap& shown = Display().Image();
    const Bitmap& expected = static_cast<const Win32Picture&>(*reference).Pixels();
    const int cell = static_cast<int>(view().CellTwipsX() / TheUi().tppX);
    const int w = std::min(view().ViewCols * cell, expected.Width());
    const int h = std::min(view().ViewRows * cell, expected.Height());
    EXPECT_GE(w * h, 640 * 480) << file;
    EXPECT_EQ(FirstDifference(shown, 0, 0, expected, 0, 0, w, h), "") << file;
    EXPECT_EQ(FirstDifference(Shown(HandleOf(view().Display)), 0, 0, shown, 0, 0, shown.Width(),
                              shown.Height()),
              "")
        << file;
  }
}

// The boxes carry the title "Korvane" unless given one, the designed buttons, and the answer of
// the button pressed; closing a Yes/No/Cancel box is Cancel. The input box starts empty.
TEST_F(Win32Editor, MessageAndInputBoxesAnswerAsPressed) {
  Win32Toolkit tk("", folder);
  std::string shown;
  {
    DialogAnswers answers({[&](HWND box) {
      const auto icon = ::SendMessageW(::GetDlgItem(box, kMessageIcon), STM_GETICON, 0, 0);
      shown = TextOf(box) + "|" + ItemText(box, kMessageText) + "|" +
              std::to_string(icon == reinterpret_cast<LRESULT>(::LoadIconW(nullptr, IDI_WARNING)));
      Press(box, IDOK);
    }});
    tk.ReportFailure("The map could not be saved: permission denied.");
  }
  EXPECT_EQ(shown, "Korvane|The map could not be saved: permission denied.|1");

  const struct {
    MessageButtons buttons;
    const char* title;
    int press;  // 0: the box is closed
    MessageResult result;
  } boxes[] = {{MessageButtons::YesNoCancel, "", IDYES, MessageResult::Yes},
               {MessageButtons::YesNoCancel, "", IDNO, MessageResult::No},
               {MessageButtons::YesNoCancel, "", IDCANCEL, MessageResult::Cancel},
               {MessageButtons::YesNoCancel, "", 0, MessageResult::Cancel},
               {MessageButtons::YesNo, "New Map", IDYES, MessageResult::Yes},
               {MessageButtons::YesNo, "", IDNO, MessageResult::No}};
  for (const auto& b : boxes) {
    std::string seen;
    DialogAnswers answers({[&](HWND box) {
      seen = TextOf(box) + "|" + ItemText(box, kMessageText) + "|" +
             std::to_string(::GetDlgItem(box, IDCANCEL) != nullptr);
      if (b.press)
        Press(box, b.press);
      else
        ::PostMessageW(box, WM_CLOSE, 0, 0);
    }});
    EXPECT_EQ(tk.MessageBox("Do you want to save this map?", b.buttons, b.title), b.result);
    EXPECT_EQ(seen, std::string(*b.title ? b.title : "Korvane") +
                        "|Do you want to save this map?|" +
                        (b.buttons == MessageButtons::YesNoCancel ? "1" : "0"));
  }

  for (const bool ok : {true, false}) {
    std::string seen;
    DialogAnswers answers({[&](HWND box) {
      seen = TextOf(box) + "|" + ItemText(box, 100) + "|" + ItemText(box, 101);
      ::SetDlgItemTextW(box, 101, L"Straße 42");
      Press(box, ok ? IDOK : IDCANCEL);
    }});
    EXPECT_EQ(tk.InputBox("Width of map (in tiles):", ok ? "New Map" : ""), ok ? "Straße 42" : "");
    EXPECT_EQ(seen, std::string(ok ? "New Map" : "Korvane") + "|Width of map (in tiles):|");
  }
}

// The program keeps one toolkit for its whole run, its command line the program's arguments
// (here the test's own, if any) joined with single blanks.
TEST(Win32Application, KeepsOneToolkitOfItsArguments) {
  Application app;
  const std::vector<std::string>& words = app.Arguments();
  std::string joined;
  for (size_t i = 0; i < words.size(); ++i) joined += (i > 0 ? " " : "") + words[i];
  EXPECT_EQ(app.Toolkit().CommandLine(), joined);
  EXPECT_EQ(&app.Toolkit(), &app.Toolkit());
}

// A text for whoever started the program (--version) goes to its standard output when that is a
// file; with none (started from Explorer: no handle, an unusable one, no console) it is shown in
// a box, never lost.
TEST(Win32Application, TellsInABoxWhenThereIsNoOutputToWriteTo) {
  const std::string text = "Korvane 1.2\n", file = testing_support::FreshFolder() + "\\out.txt";
  const HANDLE written =
      ::CreateFileW(Widen(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const HANDLE event = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  const HANDLE saved = ::GetStdHandle(STD_OUTPUT_HANDLE);
  // The standard output, and whether the text is shown in a box.
  const std::pair<HANDLE, bool> outputs[] = {
      {nullptr, true}, {INVALID_HANDLE_VALUE, true}, {event, true}, {written, false}};
  for (const auto& [out, boxed] : outputs) {
    ::SetStdHandle(STD_OUTPUT_HANDLE, out);
    std::string shown;
    {
      std::deque<std::function<void(HWND)>> answers;
      if (boxed)
        answers.push_back([&](HWND box) {
          shown = TextOf(box) + "|" + ItemText(box, kMessageText);
          Press(box, IDOK);
        });
      DialogAnswers answer(std::move(answers));
      Application::Tell(text);
    }
    EXPECT_EQ(shown, boxed ? "Korvane|Korvane 1.2\n" : "") << out;
  }
  ::SetStdHandle(STD_OUTPUT_HANDLE, saved);
  ::CloseHandle(written);
  ::CloseHandle(event);
  EXPECT_EQ(Bytes(file), std::vector<uint8_t>(text.begin(), text.end()));
}

// korvane.exe --version typed at a command prompt: Windows gives a windowed program no console
// and no standard output, and the text goes into the prompt's console.
TEST(Win32Application, TellsTheConsoleItWasStartedFrom) {
  ::FreeConsole();
  ASSERT_TRUE(::AllocConsole());
  STARTUPINFOW start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;  // all of them none
  PROCESS_INFORMATION process{};
  std::wstring line = L"korvane.exe --version";
  ASSERT_TRUE(::CreateProcessW(Widen(KORVANE_EXE).c_str(), line.data(), nullptr, nullptr, FALSE,
                               DETACHED_PROCESS, nullptr, nullptr, &start, &process));
  const bool ended = ::WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
  if (!ended) ::TerminateProcess(process.hProcess, 1);  // a box of its own waits for ever
  ::CloseHandle(process.hProcess);
  ::CloseHandle(process.hThread);
  const HANDLE console =
      ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
  wchar_t row[16] = {};
  DWORD got = 0;
  ::ReadConsoleOutputCharacterW(console, row, 9, {0, 0}, &got);
  ::CloseHandle(console);
  ::FreeConsole();
  EXPECT_TRUE(ended);
  EXPECT_TRUE(std::wstring(row).starts_with(L"Korvane ") && std::iswdigit(row[8])) << Narrow(row);
}

// The filter text the editor writes ("Description|pattern|...") as the common dialog takes it:
// pairs ended by null characters and one more at the end; a pair without a pattern, or a last
// description without one, is not offered.
TEST(Win32Dialogs, FiltersBecomePairsEndedByNullCharacters) {
  using namespace std::string_literals;
  const std::pair<std::string, std::wstring> rows[] = {
      {"Map File (*.map)|*.map", L"Map File (*.map)\0*.map\0\0"s},
      {"A|*.a|B|*.b", L"A\0*.a\0B\0*.b\0\0"s},
      {"A|*.a|B", L"A\0*.a\0\0"s},
      {"A|*.a|", L"A\0*.a\0\0"s},
      {"A||B|*.b", L"B\0*.b\0\0"s},
      {"", L"\0"s},
  };
  for (const auto& [filter, common] : rows) EXPECT_EQ(CommonDialogFilter(filter), common) << filter;
}

// Save As through the common dialog: the map filter is offered, a name typed without extension
// gets ".map", and the file holds the map. Load Map through it opens another map.
TEST_F(Win32Editor, SavesAndLoadsThroughTheFileDialogs) {
  Open(CopyOfDemoMap("demo.map"));
  std::string filter;
  {
    DialogAnswers answers({[&](HWND dialog) {
      wchar_t first[128] = {};
      ::SendMessageW(::GetDlgItem(dialog, kFileTypeList), CB_GETLBTEXT, 0,
                     reinterpret_cast<LPARAM>(first));
      filter = TextOf(dialog) + "|" + Narrow(first);
      ChooseFile(dialog, folder + "\\saved as");
    }});
    view().MENU_SAVEAS_MAP_Click();
  }
  EXPECT_EQ(filter, "Save As|Map File (*.map)");
  EXPECT_EQ(view().Map.CurrentMapFile, folder + "\\saved as.map");
  EXPECT_EQ(Bytes(folder + "\\saved as.map"), Bytes(folder + "\\demo.map"));
  EXPECT_EQ(TextOf(Main()), "saved as - Korvane");

  MapDocument small;
  small.MapWidth = 3;
  small.MapHeight = 2;
  small.HumanResources = 7;
  small.ComputerResources = 8;
  small.MapTiles = TileLayer(*Grid16::TryCreate(3, 2));
  small.OverlayData = *OverlayLayer::TryCreate(3, 2);
  small.MapTiles.Set(2, 1, 12);
  Write(folder + "\\small.map", *SerializeMapFile(small));
  {
    DialogAnswers answers({[&](HWND dialog) { ChooseFile(dialog, folder + "\\small.map"); }});
    view().MENU_LOAD_MAP_Click();
  }
  ASSERT_TRUE(RunUntil([&] { return view().Map.MapWidth == 3; }));
  EXPECT_EQ(
      std::tuple(view().Map.MapHeight, view().Map.HumanResources, view().Map.MapTiles.At(2, 1)),
      std::tuple(int16_t{2}, 7, int16_t{12}));
}

// A folder nobody may write, and a disk with no room left (made so by the test script): the save
// says why in a box, the file there keeps its bytes and nothing else is left there; the map stays
// unsaved.
TEST_F(Win32Editor, ASaveIntoAReadOnlyFolderOrOntoAFullDiskSaysWhyAndKeepsTheFile) {
  if (Fixtures().empty()) GTEST_SKIP() << "KORVANE_WINE_FIXTURES is not set";
  Open(CopyOfDemoMap("demo.map"));
  EXPECT_FALSE(toolkit->Files().CanCreateFilesIn(Fixtures() + "\\readonly"));
  for (const auto& [folder, why] : {std::pair("readonly", "permission denied"),
                                    std::pair("full", "no space left on the device")}) {
    const std::string kept = Fixtures() + "\\" + folder + "\\kept.map";
    if (!fs::exists(fs::path(Widen(kept)))) continue;  // the script could mount no disk
    view().Map.CurrentMapFile = kept;
    view().Map.MapChanged = 1;
    std::string shown;
    {
      DialogAnswers answers({[&](HWND box) {
        shown = ItemText(box, kMessageText);
        Press(box, IDOK);
      }});
      EXPECT_FALSE(view().MENU_SAVE_MAP_Click());
    }
    EXPECT_EQ(shown, "The map could not be saved to \"" + kept + "\": " + why + ".");
    EXPECT_EQ(Bytes(kept), (std::vector<uint8_t>{'k', 'e', 'p', 't'}));
    EXPECT_EQ(Names(Fixtures() + "\\" + folder), std::vector<std::string>{"kept.map"});
    EXPECT_EQ(view().Map.MapChanged, 1);
  }
}

// File > Import Tiled Map reads an XML map whose layer is zstd-compressed; File > Export to
// Tiled writes it back as XML, the chosen filter's extension given to a bare name. An export into
// a folder nobody may write says why in one box and leaves nothing there.
TEST_F(Win32Editor, TiledMapsGoInAndOutThroughTheFileMenu) {
  Open("");
  // A 20 x 11 sheet, black: two tiles of 8 with a margin of 2 and a spacing of 1.
  Write(folder + "\\sheet.bmp", Bmp({20, 11, 24, 0, {}, std::vector<uint8_t>(60 * 11)}));
  const std::string tmx = R"(<map orientation="orthogonal" width="3" height="2" tilewidth="8"
    tileheight="8"><tileset firstgid="1" name="s" tilewidth="8" tileheight="8" spacing="1"
    margin="2"><image source="sheet.bmp"/></tileset><layer name="t" width="3" height="2">
    <data encoding="base64" compression="zstd">KLUv/SQYVQAAgoEBgSHvvH8nABHUvmE=</data></layer></map>)";
  Write(folder + "\\in.tmx", std::vector<uint8_t>(tmx.begin(), tmx.end()));
  {
    DialogAnswers answers({[&](HWND dialog) { ChooseFile(dialog, folder + "\\in.tmx"); }});
    view().MENU_IMPORT_TILED_Click();
  }
  const MapDocument& map = view().Map;
  const Grid16 tiles = map.MapTiles.Tiles();
  EXPECT_EQ(std::vector<int16_t>(tiles.Cells().begin(), tiles.Cells().end()),
            (std::vector<int16_t>{0, 1, -1, 1, 0, 1}));
  const MapGlobal& g = editor->Global();
  EXPECT_EQ((std::vector<int>{g.TileSize, g.TileSpacing, g.TileOffset, g.TileCount}),
            (std::vector<int>{8, 1, 2, 2}));

  const struct {
    int filter;  // its place in the dialog's list
    const char* written;
  } exports[] = {{0, "out.tmx"}, {1, "out.tmj"}};
  for (const auto& e : exports) {
    {
      DialogAnswers answers({[&](HWND dialog) {
        const HWND types = ::GetDlgItem(dialog, kFileTypeList);
        ::SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(e.filter), 0);
        // As a choice made with the mouse: the change, then its confirmation.
        for (const WORD notice : {CBN_SELCHANGE, CBN_SELENDOK})
          ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeList, notice),
                         reinterpret_cast<LPARAM>(types));
        ChooseFile(dialog, folder + "\\out");
      }});
      view().MENU_EXPORT_TILED_Click();
    }
    const std::string path = folder + "\\" + e.written;
    auto back = ReadTiledMap(toolkit->Files(), path, e.written + 3);
    ASSERT_TRUE(std::holds_alternative<TiledMap>(back)) << e.written;
    EXPECT_EQ(std::get<TiledMap>(back).map.MapTiles.Tiles(), tiles) << e.written;
    EXPECT_EQ(std::get<TiledMap>(back).tileset.image, folder + "\\sheet.bmp") << e.written;
  }

  if (Fixtures().empty()) GTEST_SKIP() << "KORVANE_WINE_FIXTURES is not set";
  // As a user types it into the dialog.
  std::string locked = Fixtures() + "\\readonly";
  std::replace(locked.begin(), locked.end(), '/', '\\');
  std::string shown;
  {
    DialogAnswers answers({[&](HWND dialog) { ChooseFile(dialog, locked + "\\out.tmx"); },
                           [&](HWND box) {
                             shown = ItemText(box, kMessageText);
                             Press(box, IDOK);
                           }});
    view().MENU_EXPORT_TILED_Click();
  }
  EXPECT_EQ(shown,
            "The map could not be exported to \"" + locked + "\\out.tmx\": permission denied.");
  EXPECT_EQ(Names(locked), std::vector<std::string>{"kept.map"});
}

}  // namespace
}  // namespace korvane::win32::testing_desktop
