#include "renderer/gl/extension_list.h"

#include <gtest/gtest.h>

namespace veyora {
namespace {

TEST(ExtensionListTest, OnlyTheWholeNameCounts) {
  struct Case {
    const char* list;
    bool listed;
  };
  const Case cases[] = {
      {"EGL_EXT_buffer_age", true},
      {"EGL_KHR_image EGL_EXT_buffer_age EGL_KHR_fence_sync", true},
      {"EGL_KHR_image EGL_EXT_buffer_age ", true},
      {"EGL_EXT_buffer_age_longer EGL_KHR_image", false},
      {"EGL_KHR_image XEGL_EXT_buffer_age", false},
      {"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ListsExtension(c.list, "EGL_EXT_buffer_age"), c.listed) << '"' << c.list << '"';
  }
}

}  // namespace
}  // namespace veyora
