// GoogleTest comes before Xlib, whose None and Bool macros would break it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <string>
#include <vector>

#include "frontend/ui/form.h"

#include <X11/Xlib.h>

#include "platform/shared_names.h"
#include "platform/window_search.h"
#include "platform/x_connection.h"
#include "tests/support/x_wait.h"

namespace {

// Logs its handlers in the order they run.
class RecordingForm : public ui::Form {
 public:
  explicit RecordingForm(const QString& caption, Qt::WindowFlags flags = Qt::Window)
      : ui::Form(caption, flags) {}
  std::vector<std::string> log;

 protected:
  void FormLoad() override { log.push_back("load"); }
  void FormResize() override { log.push_back("resize"); }
  void FormQueryUnload() override { log.push_back("query-unload"); }
  void FormUnload() override { log.push_back("unload"); }
};

// Another client of the same X server, as the other programs are.
class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    other_ = XOpenDisplay(nullptr);
    ASSERT_NE(other_, nullptr);
    platform::TolerateXErrors();
  }
  void TearDown() override {
    if (other_) XCloseDisplay(other_);
  }

  // Lets the toolkit send its requests while waiting for the other client to see them.
  Window FindFromOtherClient(const std::string& title, bool present = true) {
    Window found = None;
    testsupport::WaitUntil(
        [&] {
          QApplication::processEvents();
          found = platform::FindTopLevelWindow(other_, title);
          return (found != None) == present;
        },
        60000);
    return found;
  }

  int MapState(Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(other_, window, &attributes);
    return attributes.map_state;
  }

  Display* other_ = nullptr;
};

}  // namespace

TEST_F(FormTest, ALoadedWindowIsFoundByTitleWithoutBeingShown) {
  for (const char* caption : {names::kSaverTitle, names::kDialogTitle, "設定 ﾘﾋﾟｰﾄ"}) {
    RecordingForm form(QString::fromUtf8(caption), Qt::Window | Qt::FramelessWindowHint);
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(FindFromOtherClient(caption, false), None);
    form.Load();
    EXPECT_EQ(form.log, std::vector<std::string>{"load"});
    const Window found = FindFromOtherClient(caption);
    EXPECT_EQ(found, form.Handle()) << caption;
    EXPECT_EQ(MapState(found), IsUnmapped) << caption;
    EXPECT_FALSE(form.isVisible());
    form.Unload();
    EXPECT_EQ(FindFromOtherClient(caption, false), None) << caption;
  }
}

TEST_F(FormTest, UnloadRunsQueryUnloadThenUnloadAndTakesTheWindowAway) {
  const int before = ui::Form::LoadedCount();
  RecordingForm form("unload order");
  form.Load();
  EXPECT_EQ(ui::Form::LoadedCount(), before + 1);
  form.Unload();
  form.Unload();  // a second unload does nothing
  EXPECT_EQ(form.log, (std::vector<std::string>{"load", "query-unload", "unload"}));
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(ui::Form::LoadedCount(), before);
}

TEST_F(FormTest, AModalShowReturnsOnceTheWindowIsUnloaded) {
  RecordingForm form("modal");
  form.SetClientSizeTwips(3000, 1500);
  bool shownWhileModal = false;
  QTimer::singleShot(200, [&] {
    shownWhileModal = form.isVisible() && MapState(FindFromOtherClient("modal")) == IsViewable;
    form.Unload();
  });
  form.ShowModal();
  EXPECT_TRUE(shownWhileModal);
  ASSERT_GE(form.log.size(), 3u);
  EXPECT_EQ(form.log.front(), "load");
  EXPECT_EQ(form.log[form.log.size() - 2], "query-unload");
  EXPECT_EQ(form.log.back(), "unload");
  EXPECT_FALSE(form.isVisible());
}

TEST_F(FormTest, TheCloseBoxUnloadsTheWindow) {
  RecordingForm form("close box");
  QTimer::singleShot(100, [&] { form.close(); });
  form.ShowModal();
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(form.log.back(), "unload");
}

TEST_F(FormTest, TheEventLoopRunsWhileAnyWindowIsLoaded) {
  ui::Form::RunWhileAnyLoaded();  // none loaded: returns at once
  RecordingForm first("first");
  RecordingForm second("second");
  first.Load();
  second.Load();
  QTimer::singleShot(50, [&] { first.Unload(); });
  QTimer::singleShot(150, [&] { second.Unload(); });
  ui::Form::RunWhileAnyLoaded();
  EXPECT_FALSE(first.Loaded());
  EXPECT_FALSE(second.Loaded());
}

TEST_F(FormTest, GeometryIsKeptInTwipsAndResizingReachesTheHandler) {
  RecordingForm form("geometry", Qt::Window | Qt::FramelessWindowHint);
  form.SetClientSizeTwips(7185, 3780);
  EXPECT_EQ(form.size(), QSize(479, 252));
  EXPECT_EQ(form.WidthTwips(), 7185);
  EXPECT_EQ(form.HeightTwips(), 3780);
  form.MoveTwips(1500, 3000);
  EXPECT_EQ(form.LeftTwips(), 1500);
  EXPECT_EQ(form.TopTwips(), 3000);
  // No handler runs before the window is loaded.
  EXPECT_TRUE(form.log.empty());
  form.Show();
  QApplication::processEvents();
  form.SetClientSizeTwips(1500, 1500);
  QApplication::processEvents();
  EXPECT_GE(std::count(form.log.begin(), form.log.end(), "resize"), 1);
  form.Unload();
}
