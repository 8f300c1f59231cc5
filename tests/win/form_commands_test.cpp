// What the layout form's controls do to the live windows and the layout.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "state/win32/AppState.h"
#include "support/FormHarness.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::FormStep;
using test::formControl;
using test::MessageBoxSeen;
using test::pressArrow;
using test::runFormSteps;

class LayoutFormCommands : public ::testing::Test {
 protected:
  void SetUp() override { session.closeSplash(); }
  void TearDown() override { test::disarmMessageBoxes(); }
  test::ProgramSession session;
};

std::string thousands(const std::string& digits) {
  char separator[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
  return digits.substr(0, digits.size() - 3) + separator + digits.substr(digits.size() - 3);
}

std::string text(int id) { return test::windowText(formControl(id)); }

RECT regionBox(HWND window) {
  RECT box{};
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(window, region) != ERROR) GetRgnBox(region, &box);
  DeleteObject(region);
  return box;
}

bool regionHasPoint(HWND window, int x, int y) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const bool has = GetWindowRgn(window, region) != ERROR && PtInRegion(region, x, y);
  DeleteObject(region);
  return has;
}

// ---- the arrow rule ----

TEST_F(LayoutFormCommands, FormWidthUpAtTheTopGoesOneBeyondWhileTheFieldStays) {
  app.mainRef.setWidth(1024);
  ASSERT_EQ(1024, app.mainRef.width());
  const std::vector<FormStep> steps = {
      [] {
        ASSERT_EQ(thousands("1024"), text(1036));
        pressArrow(1034, true);
        EXPECT_EQ(1025, app.mainRef.width());
        EXPECT_EQ(thousands("1024"), text(1036));
        EXPECT_EQ(formControl(1036), GetFocus());
      },
      [] {
        pressArrow(1034, true);
        EXPECT_EQ(1025, app.mainRef.width());
        EXPECT_EQ(thousands("1024"), text(1036));
      },
  };
  EXPECT_EQ(2u, runFormSteps(steps));
  EXPECT_EQ(450, app.mainRef.height());
}

TEST_F(LayoutFormCommands, SignHeightDownAtOneMakesTheSignZeroHigh) {
  app.clips[0].setHeight(1);
  const std::vector<FormStep> steps = {[] {
    ASSERT_EQ("1", text(1059));
    pressArrow(1060, false);
    EXPECT_EQ(0, app.clips[0].height());
    EXPECT_EQ("1", text(1059));
    // The rounding follows: a shape with no rows.
    EXPECT_EQ(0, regionBox(app.clips[0].handle()).bottom);
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

TEST_F(LayoutFormCommands, TypedThreeHundredThenUpPlacesTheSignAt301) {
  const std::vector<FormStep> steps = {[] {
    SetWindowTextA(formControl(1052), "300");
    EXPECT_EQ(77, app.clips[0].left()) << "typing alone changes nothing";
    pressArrow(1041, true);
    EXPECT_EQ(301, app.clips[0].left());
    EXPECT_EQ("301", text(1052));
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  EXPECT_EQ(26, app.clips[0].top());
}

struct ArrowCase {
  int upDown;
  const char* what;
  std::function<int()> read;
};

TEST_F(LayoutFormCommands, EveryArrowChangesItsOwnFieldByItsStep) {
  const std::vector<ArrowCase> cases = {
      {1034, "form width", [] { return app.mainRef.width(); }},
      {1037, "form height", [] { return app.mainRef.height(); }},
      {1041, "1st left", [] { return app.clips[0].left(); }},
      {1043, "1st top", [] { return app.clips[0].top(); }},
      {1057, "1st width", [] { return app.clips[0].width(); }},
      {1060, "1st height", [] { return app.clips[0].height(); }},
      {1067, "2nd left", [] { return app.clips[1].left(); }},
      {1070, "2nd top", [] { return app.clips[1].top(); }},
      {1073, "2nd width", [] { return app.clips[1].width(); }},
      {1076, "2nd height", [] { return app.clips[1].height(); }},
      {1079, "1st frames", [] { return static_cast<int>(app.templateFrames[0]); }},
      {1082, "2nd frames", [] { return static_cast<int>(app.templateFrames[1]); }},
      {1085, "1st rounding", [] { return app.layout.signs[0].cornerRound; }},
      {1088, "2nd rounding", [] { return app.layout.signs[1].cornerRound; }},
  };
  app.layout.signs[0].cornerRound = 5;
  app.layout.signs[1].cornerRound = 9;
  const std::vector<FormStep> steps = {[&] {
    std::vector<int> before;
    for (const ArrowCase& c : cases) before.push_back(c.read());
    for (size_t i = 0; i < cases.size(); ++i) {
      pressArrow(cases[i].upDown, true);
      for (size_t j = 0; j < cases.size(); ++j) {
        const int expected = before[j] + (j <= i ? 1 : 0);
        EXPECT_EQ(expected, cases[j].read()) << cases[j].what << " after up on " << cases[i].what;
      }
    }
    for (size_t i = 0; i < cases.size(); ++i) {
      pressArrow(cases[i].upDown, false);
      EXPECT_EQ(before[i], cases[i].read()) << cases[i].what << " down again";
    }
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

TEST_F(LayoutFormCommands, FrameCountsGoOneStepBeyondEitherEnd) {
  const std::vector<FormStep> steps = {[] {
    pressArrow(1079, false);
    EXPECT_EQ(0, app.templateFrames[0]);
    EXPECT_EQ("1", text(1078));
    SetWindowTextA(formControl(1081), "20");
    pressArrow(1082, true);
    EXPECT_EQ(21, app.templateFrames[1]);
    EXPECT_EQ("20", text(1081));
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

TEST_F(LayoutFormCommands, SizeAndRoundingArrowsReshapeTheCorners) {
  app.layout.signs[0].cornerRound = 20;
  const std::vector<FormStep> steps = {[] {
    HWND clip = app.clips[0].handle();
    const RECT before = regionBox(clip);
    pressArrow(1057, true);
    EXPECT_EQ(before.right + 1, regionBox(clip).right);
    // The rounding of 20 became the clip window's shape with that press.
    EXPECT_FALSE(regionHasPoint(clip, 0, 0));
    pressArrow(1085, false);
    EXPECT_EQ(19, app.layout.signs[0].cornerRound);
    EXPECT_FALSE(regionHasPoint(clip, 0, 0));
    EXPECT_TRUE(regionHasPoint(clip, 10, 10));
    // Places do not touch the shape of the 2nd sign.
    const RECT second = regionBox(app.clips[1].handle());
    pressArrow(1067, true);
    EXPECT_EQ(second.right, regionBox(app.clips[1].handle()).right);
    pressArrow(1076, true);
    EXPECT_EQ(second.bottom + 1, regionBox(app.clips[1].handle()).bottom);
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

TEST_F(LayoutFormCommands, AFieldThatIsNoNumberInRangeStepsFromTheLastAcceptedOne) {
  const std::vector<FormStep> steps = {[] {
    SetWindowTextA(formControl(1036), "");
    pressArrow(1034, true);
    EXPECT_EQ(451, app.mainRef.width());
    EXPECT_EQ("451", text(1036));
    SetWindowTextA(formControl(1052), "2000");
    pressArrow(1041, true);
    EXPECT_EQ(78, app.clips[0].left());
    EXPECT_EQ("78", text(1052));
    SetWindowTextA(formControl(1078), "abc");
    pressArrow(1079, true);
    EXPECT_EQ(2, app.templateFrames[0]);
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

// ---- kinds ----

const char kKindMessage[] = "幕の種類が変更されました。画像ファイル名（もしくはフォルダー名）を再設定してください";

TEST_F(LayoutFormCommands, HidingTheSecondSignNarrowsThePanelAndBackShowsItWithTheMessage) {
  app.layout.signs[1].picturePath = "C:\\幕2.bmp";
  MessageBoxSeen hide;
  MessageBoxSeen show;
  const std::vector<FormStep> steps = {
      [&] {
        ASSERT_EQ("C:\\幕2.bmp", text(1064));
        ASSERT_TRUE(IsWindowVisible(app.clips[1].handle()));
        ASSERT_EQ(270, app.panelRef.width());
        test::answerMessageBox("幕の種類の変更", IDOK, &hide);
        test::chooseComboItem(1062, 2);
        EXPECT_TRUE(hide.seen);
        EXPECT_EQ(kKindMessage, hide.text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), hide.icon);
        EXPECT_EQ(2, app.layout.signs[1].kind);
        EXPECT_EQ("", app.layout.signs[1].picturePath);
        EXPECT_EQ("", text(1064));
        EXPECT_FALSE(IsWindowVisible(app.clips[1].handle()));
        EXPECT_EQ(138, app.panelRef.width());
        EXPECT_EQ(app.formWindow, GetFocus());
      },
      [&] {
        test::answerMessageBox("幕の種類の変更", IDOK, &show);
        test::chooseComboItem(1062, 0);
        EXPECT_TRUE(show.seen);
        EXPECT_EQ(kKindMessage, show.text);
        EXPECT_EQ(0, app.layout.signs[1].kind);
        EXPECT_TRUE(IsWindowVisible(app.clips[1].handle()));
        EXPECT_EQ(270, app.panelRef.width());
        EXPECT_EQ("", text(1064));
      },
  };
  EXPECT_EQ(2u, runFormSteps(steps));
}

TEST_F(LayoutFormCommands, ChoosingTheStoredKindAsksNothingButReappliesTheSecondSign) {
  app.layout.signs[1].picturePath = "C:\\幕2.bmp";
  MessageBoxSeen any;
  const std::vector<FormStep> steps = {[&] {
    app.panelRef.setWidth(200);
    app.clips[1].show(0);
    test::answerMessageBox("", IDOK, &any);
    test::chooseComboItem(1062, 0);
    EXPECT_FALSE(any.seen);
    EXPECT_TRUE(IsWindowVisible(app.clips[1].handle()));
    EXPECT_EQ(270, app.panelRef.width());
    EXPECT_EQ("C:\\幕2.bmp", app.layout.signs[1].picturePath);
    EXPECT_EQ("C:\\幕2.bmp", text(1064));
    EXPECT_EQ(app.formWindow, GetFocus());
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

TEST_F(LayoutFormCommands, TheFirstSignsKindChangesWithTheMessageAndLeavesTheRestAlone) {
  app.layout.signs[0].picturePath = "C:\\幕1.bmp";
  MessageBoxSeen same;
  MessageBoxSeen changed;
  const std::vector<FormStep> steps = {[&] {
    SetFocus(formControl(1051));
    test::answerMessageBox("", IDOK, &same);
    test::chooseComboItem(1051, 0);
    EXPECT_FALSE(same.seen);
    EXPECT_EQ("C:\\幕1.bmp", app.layout.signs[0].picturePath);
    EXPECT_EQ(formControl(1051), GetFocus());

    test::answerMessageBox("幕の種類の変更", IDOK, &changed);
    test::chooseComboItem(1051, 1);
    EXPECT_TRUE(changed.seen);
    EXPECT_EQ(kKindMessage, changed.text);
    EXPECT_EQ(1, app.layout.signs[0].kind);
    EXPECT_EQ("", app.layout.signs[0].picturePath);
    EXPECT_EQ("", text(1042));
    EXPECT_EQ(270, app.panelRef.width());
    EXPECT_TRUE(IsWindowVisible(app.clips[1].handle()));
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

// ---- deleting ----

HBITMAP givePicture(int sign, int width, int height) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  app.signStates[sign].picture.reset(bitmap);
  SendMessageA(signWindowOf(sign).handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  return bitmap;
}

void rollStateAt(int sign, int frame, int height) {
  app.signStates[sign].currentFrame = static_cast<std::int16_t>(frame);
  app.signStates[sign].targetFrame = frame;
  app.signStates[sign].stripOffset = -frame * height;
  signWindowOf(sign).setTop(-frame * height);
}

TEST_F(LayoutFormCommands, DeletingAnLedSignsPictureAsksNothingAndDoesNothing) {
  app.layout.signs[0].kind = 1;
  app.layout.signs[0].picturePath = "C:\\LED";
  HBITMAP picture = givePicture(0, 120, 40);
  MessageBoxSeen any;
  const std::vector<FormStep> steps = {[&] {
    test::answerMessageBox("", IDNO, &any);
    EXPECT_TRUE(test::clickButton(formControl(1011)));
    EXPECT_FALSE(any.seen);
    EXPECT_EQ(picture, app.signStates[0].picture.get());
    EXPECT_EQ("C:\\LED", text(1042));
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  EXPECT_EQ("C:\\LED", app.layout.signs[0].picturePath);
}

TEST_F(LayoutFormCommands, DeletingAStripPictureAsksThenEmptiesTheSign) {
  app.layout.signs[1].picturePath = "C:\\幕2.bmp";
  givePicture(1, 124, 684);
  rollStateAt(1, 3, 57);
  MessageBoxSeen no;
  MessageBoxSeen yes;
  const std::vector<FormStep> steps = {
      [&] {
        test::answerMessageBox("削除の確認", IDNO, &no);
        EXPECT_TRUE(test::clickButton(formControl(1013)));
        EXPECT_TRUE(no.seen);
        EXPECT_EQ("方向幕画像を消去します。よろしいですか？", no.text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), no.icon);
        EXPECT_NE(nullptr, app.signStates[1].picture.get());
        EXPECT_EQ("C:\\幕2.bmp", text(1064));
        EXPECT_EQ(-171, app.signWindows[1].top());
        EXPECT_EQ(3, app.signStates[1].currentFrame);
      },
      [&] {
        HBITMAP old = app.signStates[1].picture.get();
        test::answerMessageBox("削除の確認", IDYES, &yes);
        EXPECT_TRUE(test::clickButton(formControl(1013)));
        EXPECT_TRUE(yes.seen);
        EXPECT_EQ(nullptr, app.signStates[1].picture.get());
        EXPECT_EQ(0u, GetObjectType(old)) << "the old picture is released";
        EXPECT_EQ(0, SendMessageA(app.signWindows[1].handle(), STM_GETIMAGE, IMAGE_BITMAP, 0));
        EXPECT_EQ("", text(1064));
        EXPECT_EQ(0, app.signWindows[1].top());
        EXPECT_EQ(0, app.signWindows[1].left());
        EXPECT_EQ(0, app.signStates[1].currentFrame);
        EXPECT_EQ(0, app.signStates[1].targetFrame);
        EXPECT_EQ(0, app.signStates[1].stripOffset);
        // Deleted means gone: a later save must not write the old path back.
        EXPECT_EQ("", app.layout.signs[1].picturePath);
      },
  };
  EXPECT_EQ(2u, runFormSteps(steps));
}

TEST_F(LayoutFormCommands, DeletingTheBackgroundAsksThenRemovesIt) {
  app.layout.backgroundPicture = "C:\\背景.jpg";
  HDC screen = GetDC(nullptr);
  app.backgroundBitmap.reset(CreateCompatibleBitmap(screen, 40, 30));
  ReleaseDC(nullptr, screen);
  MessageBoxSeen no;
  MessageBoxSeen yes;
  const std::vector<FormStep> steps = {
      [&] {
        test::answerMessageBox("削除の確認", IDNO, &no);
        EXPECT_TRUE(test::clickButton(formControl(1009)));
        EXPECT_TRUE(no.seen);
        EXPECT_EQ("背景画像を消去します。よろしいですか？", no.text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), no.icon);
        EXPECT_NE(nullptr, app.backgroundBitmap.get());
        EXPECT_EQ("C:\\背景.jpg", text(1033));
      },
      [&] {
        HBITMAP old = app.backgroundBitmap.get();
        test::answerMessageBox("削除の確認", IDYES, &yes);
        EXPECT_TRUE(test::clickButton(formControl(1009)));
        EXPECT_TRUE(yes.seen);
        EXPECT_EQ(nullptr, app.backgroundBitmap.get());
        EXPECT_EQ(0u, GetObjectType(old));
        EXPECT_EQ("", text(1033));
        EXPECT_EQ("", app.layout.backgroundPicture);
      },
  };
  EXPECT_EQ(2u, runFormSteps(steps));
}

// ---- browsing ----

// The file types both picture dialogs list: the first three first, so that
// the one shown at first stays "ビットマップ".
const std::vector<std::string> kPictureTypes = {"ビットマップ(*.bmp)", "JPEG(*.jpg)", "GIF(*.gif)", "PNG(*.png)",
                                                "TIFF(*.tif;*.tiff)"};

TEST_F(LayoutFormCommands, ABackgroundPictureChosenBecomesTheBackground) {
  const std::string path = test::sourcePath("demo/background.jpg");
  test::DialogSeen dialog;
  const std::vector<FormStep> steps = {[&] {
    test::answerFileDialog(app.formWindow, path, &dialog);
    EXPECT_TRUE(test::clickButton(formControl(1008)));
    EXPECT_TRUE(dialog.seen);
    EXPECT_FALSE(dialog.folder);
    EXPECT_EQ(kPictureTypes, dialog.fileTypes);
    EXPECT_EQ(path, app.layout.backgroundPicture);
    EXPECT_EQ(path, text(1033));
    ASSERT_NE(nullptr, app.backgroundBitmap.get());
    BITMAP info{};
    GetObjectA(app.backgroundBitmap.get(), sizeof info, &info);
    EXPECT_EQ(450, info.bmWidth);
    EXPECT_EQ(400, info.bmHeight);
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

TEST_F(LayoutFormCommands, CancelledDialogsChangeNothing) {
  app.layout.backgroundPicture = "C:\\背景.jpg";
  app.layout.signs[0].picturePath = "C:\\幕1.bmp";
  app.layout.signs[1].kind = 1;
  app.layout.signs[1].picturePath = "C:\\LED";
  HDC screen = GetDC(nullptr);
  HBITMAP background = CreateCompatibleBitmap(screen, 40, 30);
  ReleaseDC(nullptr, screen);
  app.backgroundBitmap.reset(background);
  HBITMAP picture = givePicture(0, 124, 684);
  rollStateAt(0, 2, 57);
  SetDlgItemTextA(app.panelWindow, 1003, "5");
  test::DialogSeen file;
  test::DialogSeen strip;
  test::DialogSeen folder;
  const std::vector<FormStep> steps = {[&] {
    test::answerFileDialog(app.formWindow, "", &file);
    EXPECT_TRUE(test::clickButton(formControl(1008)));
    test::answerFileDialog(app.formWindow, "", &strip);
    EXPECT_TRUE(test::clickButton(formControl(1010)));
    test::answerFileDialog(app.formWindow, "", &folder);
    EXPECT_TRUE(test::clickButton(formControl(1012)));
    EXPECT_TRUE(file.seen && strip.seen && folder.seen);
    EXPECT_TRUE(folder.folder);
    EXPECT_EQ("C:\\背景.jpg", text(1033));
    EXPECT_EQ("C:\\幕1.bmp", text(1042));
    EXPECT_EQ("C:\\LED", text(1064));
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  EXPECT_EQ("C:\\背景.jpg", app.layout.backgroundPicture);
  EXPECT_EQ(background, app.backgroundBitmap.get());
  EXPECT_EQ("C:\\幕1.bmp", app.layout.signs[0].picturePath);
  EXPECT_EQ(picture, app.signStates[0].picture.get());
  EXPECT_EQ(-114, app.signWindows[0].top());
  EXPECT_EQ(2, app.signStates[0].currentFrame);
  EXPECT_EQ("C:\\LED", app.layout.signs[1].picturePath);
  char display[16] = {};
  GetDlgItemTextA(app.panelWindow, 1003, display, sizeof display);
  EXPECT_STREQ("5", display);
}

TEST_F(LayoutFormCommands, AStripPictureChosenBecomesTheSignsPicture) {
  const std::string path = test::sourcePath("demo/strip.bmp");
  rollStateAt(0, 4, 57);
  test::DialogSeen dialog;
  const std::vector<FormStep> steps = {[&] {
    test::answerFileDialog(app.formWindow, path, &dialog);
    EXPECT_TRUE(test::clickButton(formControl(1010)));
    EXPECT_EQ("方向幕ファイルの選択", dialog.title);
    EXPECT_FALSE(dialog.folder);
    EXPECT_EQ(kPictureTypes, dialog.fileTypes);
    EXPECT_EQ(path, app.layout.signs[0].picturePath);
    EXPECT_EQ(path, text(1042));
    ASSERT_NE(nullptr, app.signStates[0].picture.get());
    EXPECT_EQ(reinterpret_cast<LRESULT>(app.signStates[0].picture.get()),
              SendMessageA(app.signWindows[0].handle(), STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_EQ(124, app.signWindows[0].width());
    EXPECT_EQ(684, app.signWindows[0].height());
    EXPECT_EQ(0, app.signWindows[0].top());
    EXPECT_EQ(0, app.signStates[0].currentFrame);
    EXPECT_EQ(0, app.signStates[0].targetFrame);
    EXPECT_EQ(0, app.signStates[0].stripOffset);
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

TEST_F(LayoutFormCommands, APictureThatCannotBeReadStillBecomesThePathAndShowsAnEmptySign) {
  const std::string path = test::sourcePath("demo/test/notapicture.bmp");
  givePicture(1, 124, 684);
  MessageBoxSeen any;
  test::DialogSeen dialog;
  const std::vector<FormStep> steps = {[&] {
    test::answerFileDialog(app.formWindow, path, &dialog);
    EXPECT_TRUE(test::clickButton(formControl(1012)));
    // Only now: the file dialog itself is not a message box.
    test::answerMessageBox("", IDOK, &any);
    test::pumpPending();
    EXPECT_TRUE(dialog.seen);
    EXPECT_EQ(path, app.layout.signs[1].picturePath);
    EXPECT_EQ(path, text(1064));
    EXPECT_EQ(nullptr, app.signStates[1].picture.get());
    EXPECT_EQ(0, SendMessageA(app.signWindows[1].handle(), STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_FALSE(any.seen);
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

std::string panelDisplay(int sign) {
  char display[16] = {};
  GetDlgItemTextA(app.panelWindow, sign == 0 ? 1002 : 1003, display, sizeof display);
  return display;
}

TEST_F(LayoutFormCommands, AnLedFolderChosenShowsItsFirstFrameAndSetsTheDisplayToZero) {
  const std::string folder = test::sourcePath("demo/led");
  app.layout.signs[0].kind = 1;
  SetDlgItemTextA(app.panelWindow, 1002, "7");
  rollStateAt(0, 7, 40);
  test::DialogSeen dialog;
  const std::vector<FormStep> steps = {[&] {
    test::answerFileDialog(app.formWindow, folder, &dialog);
    EXPECT_TRUE(test::clickButton(formControl(1010)));
    EXPECT_TRUE(dialog.folder);
    EXPECT_NE(std::string::npos, dialog.texts.find("画像のあるフォルダーを選択してください")) << dialog.texts;
    EXPECT_EQ(folder, app.layout.signs[0].picturePath);
    EXPECT_EQ(folder, text(1042));
    EXPECT_EQ("0", panelDisplay(0));
    EXPECT_EQ(0, app.signWindows[0].top());
    EXPECT_EQ(0, app.signStates[0].currentFrame);
    EXPECT_EQ(0, app.signStates[0].stripOffset);
    const auto shown = reinterpret_cast<HBITMAP>(SendMessageA(app.signWindows[0].handle(), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(nullptr, shown);
    BITMAP info{};
    GetObjectA(shown, sizeof info, &info);
    EXPECT_EQ(120, info.bmWidth);
    EXPECT_EQ(40, info.bmHeight);
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

TEST_F(LayoutFormCommands, AnLedFolderWithoutFilesKeepsTheSignAsItIs) {
  test::TempFolder empty;
  app.layout.signs[1].kind = 1;
  HBITMAP picture = givePicture(1, 120, 40);
  test::DialogSeen dialog;
  const std::vector<FormStep> steps = {[&] {
    test::answerFileDialog(app.formWindow, empty.path(), &dialog);
    EXPECT_TRUE(test::clickButton(formControl(1012)));
    EXPECT_TRUE(dialog.folder);
    EXPECT_EQ(empty.path(), app.layout.signs[1].picturePath);
    EXPECT_EQ(reinterpret_cast<LRESULT>(picture), SendMessageA(app.signWindows[1].handle(), STM_GETIMAGE, IMAGE_BITMAP, 0));
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

}  // namespace
}  // namespace rovenza
