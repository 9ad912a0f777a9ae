// The preview window: its class, its procedure and its message loop.
#include "shell/preview.h"

#include "shell/preview_picture.h"
#include "shell/saver_app.h"

using namespace platform;

namespace {

const char kPreviewClass[] = "VTRLPreview";
const char kPreviewTitle[] = "VTRLSV";

// Loaded when the window is made and kept for the rest of the process; a
// picture that could not be read stays empty and paints nothing.
RgbPicture previewPicture;

void paintPicture(WindowHandle window) {
  if (previewPicture.rgb.empty()) return;
  // Neither stretched nor centred: the window's black shows around it.
  paintRgbPicture(window, 0, 0, previewPicture.width, previewPicture.height, previewPicture.rgb.data());
}

}  // namespace

LRESULT previewWindowProc(WindowHandle window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      loadRgbPicture(findSaverPicture(kPreviewPictureFile), previewPicture);
      return 0;
    case WM_PAINT:
      paintPicture(window);
      return 0;
    case WM_CLOSE:
    case WM_DESTROY:
      postQuitMessage(0);
      return 0;
    default:
      return defWindowProc(window, message, wParam, lParam);
  }
}

int runPreview(const SaverApp& app) {
  registerClass(WindowClass{kPreviewClass, previewWindowProc, false});

  // The child covers the parent's client area; a child's rectangle needs no
  // adjustment for a frame, as it has none.
  const std::uint64_t parent = static_cast<std::uint32_t>(app.windowNumber);
  Rect parentArea;
  nativeWindowRect(parent, parentArea);

  WindowSpec spec;
  spec.className = kPreviewClass;
  spec.title = kPreviewTitle;
  spec.child = true;
  spec.visible = true;
  spec.foreignParent = parent;
  spec.width = parentArea.width();
  spec.height = parentArea.height();
  const WindowHandle window = createWindow(spec);
  if (!window) {
    messageBox("Cannot creat window!", "ERROR");
    return 0;
  }
  showWindow(window, app.showCommand);

  Message message;
  while (getMessage(message)) {
    translateMessage(message);
    dispatchMessage(message);
  }
  return 1;
}
