// Loads a window whose unload handler and an object whose destructor would each
// leave a mark, writes a line through a buffered file, then ends the program.
// Usage: end_program_probe <folder>
#include <cstdio>
#include <fstream>
#include <string>

#include "frontend/ui/form.h"
#include "frontend/ui/program_end.h"
#include "frontend/ui/toolkit.h"

using namespace veyora::frontend;

namespace {

std::string folder;

void Mark(const char* name) { std::ofstream(folder + "/" + name) << "ran"; }

class MarkingForm : public ui::Form {
 public:
  MarkingForm() : ui::Form("probe") {}

 protected:
  void FormQueryUnload() override { Mark("query-unload"); }
  void FormUnload() override { Mark("unload"); }
};

struct MarkOnDestruction {
  ~MarkOnDestruction() { Mark("destructor"); }
};

MarkOnDestruction staticObject;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  folder = argv[1];
  ui::StartToolkit();
  MarkingForm form;
  form.Load();
  MarkOnDestruction localObject;
  std::FILE* log = std::fopen((folder + "/written").c_str(), "w");
  std::fputs("buffered line\n", log);
  ui::EndProgram();
}
