#include "ui/transformations_source_dialog.h"

const char TransformationsSourceDialog::kTitle[] = "Skelda";
const char TransformationsSourceDialog::kPrompt[] = "Transformations Source:";
const char TransformationsSourceDialog::kFilter[] = "Project Files (*.skp)|*.skp|All Files (*.*)|*.*||";

namespace {

TransformationsSourceDialog g_transformationsSourceDialog;

}  // namespace

TransformationsSourceDialog& transformationsSourceDialog() {
    return g_transformationsSourceDialog;
}
