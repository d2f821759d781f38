// Gravelight: the cemetery transcription viewer.
#include "apps/gravelight/GravelightIdentity.h"
#include "apps/gravelight/GravelightMainLayout.h"
#include "browser/FormGravelightMain.h"
#include "browser/core/ViewerProgram.h"

int main(int argc, char** argv) {
  return browser::RunViewer<browser::FormGravelightMain>(
      argc, argv, gravelight::SetProgramIdentity, gravelight::FormGravelightMainLayout());
}
