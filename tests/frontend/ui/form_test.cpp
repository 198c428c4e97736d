// GoogleTest comes before Xlib, whose None and Bool macros would break it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "frontend/ui/form.h"

#include <X11/Xlib.h>

#include "platform/shared_names.h"
#include "platform/window_search.h"
#include "platform/x_connection.h"
#include "tests/support/x_wait.h"

using namespace veyora::frontend;

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

  // Lets the toolkit send its requests until the other client sees `seen` hold.
  bool Seen(const std::function<bool()>& seen) {
    return testsupport::WaitUntil(
        [&] {
          QApplication::processEvents();
          return seen();
        },
        60000);
  }
  Window Find(const std::string& title) { return platform::FindTopLevelWindow(other_, title); }
  int MapState(Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(other_, window, &attributes);
    return attributes.map_state;
  }

  Display* other_ = nullptr;
};

}  // namespace

TEST_F(FormTest, ALoadedWindowIsFoundByTitleWithoutBeingShownAndUnloadsOnce) {
  for (const char* caption : {names::kDialogTitle, "設定 ﾘﾋﾟｰﾄ"}) {
    RecordingForm form(QString::fromUtf8(caption), Qt::Window | Qt::FramelessWindowHint);
    EXPECT_EQ(Find(caption), None) << caption;
    form.Load();
    EXPECT_EQ(form.log, std::vector<std::string>{"load"});
    Window found = None;
    EXPECT_TRUE(Seen([&] { return (found = Find(caption)) != None; })) << caption;
    EXPECT_EQ(found, form.Handle()) << caption;
    EXPECT_EQ(MapState(found), IsUnmapped) << caption;
    form.Unload();
    form.Unload();  // a second unload does nothing
    EXPECT_EQ(form.log, (std::vector<std::string>{"load", "query-unload", "unload"}));
    EXPECT_TRUE(Seen([&] { return Find(caption) == None; })) << caption;
  }
}

TEST_F(FormTest, AModalShowReturnsOnceTheWindowIsUnloadedOrClosedByItsCloseBox) {
  for (bool closeBox : {false, true}) {
    RecordingForm form("modal");
    bool shownWhileModal = false;
    QTimer::singleShot(0, [&] {
      shownWhileModal =
          Seen([&] { return Find("modal") != None && MapState(Find("modal")) == IsViewable; });
      closeBox ? void(form.close()) : form.Unload();
    });
    form.ShowModal();
    EXPECT_TRUE(shownWhileModal) << closeBox;
    EXPECT_EQ(form.log.back(), "unload") << closeBox;
    EXPECT_FALSE(form.Loaded()) << closeBox;
    EXPECT_FALSE(form.isVisible()) << closeBox;
  }
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

TEST_F(FormTest, GeometryIsSetInTwipsAndOnlyALoadedWindowHearsOfResizing) {
  RecordingForm form("geometry", Qt::Window | Qt::FramelessWindowHint);
  form.SetClientSizeTwips(7185, 3780);
  form.MoveTwips(1500, 3000);
  EXPECT_EQ(form.geometry(), QRect(100, 200, 479, 252));
  EXPECT_TRUE(form.log.empty());
  form.Show();
  form.SetClientSizeTwips(1500, 1500);
  EXPECT_TRUE(Seen([&] { return form.log.back() == "resize"; }));
  form.Unload();
}
