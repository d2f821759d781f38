// Mournlight: the obituary viewer.
#include "apps/mournlight/MournlightIdentity.h"
#include "apps/mournlight/MournlightMainLayout.h"
#include "browser/core/ViewerProgram.h"
#include "obituary/FRMMournlightMain.h"

int main(int argc, char** argv) {
  return browser::RunViewer<obituary::FRMMournlightMain>(
      argc, argv, mournlight::SetProgramIdentity, mournlight::FRMMournlightMainLayout());
}
