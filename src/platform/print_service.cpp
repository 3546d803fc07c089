#include "platform/print_service.h"

namespace corvane {

bool RecordingPrintDevice::StartDoc(std::string_view title) {
  titles.emplace_back(title);
  if (onStart) onStart();
  if (!canStart) return false;
  ++startCount;
  page.printing = true;
  page.Clear();
  return true;
}

void RecordingPrintDevice::SetMapping(int32_t wx, int32_t wy, int32_t vx, int32_t vy) {
  windowX = wx;
  windowY = wy;
  viewportX = vx;
  viewportY = vy;
}

void FakePrintService::RunPreview(const std::function<void(PrintDevice&)>& paint) {
  ++previewCount;
  for (int i = 0; i < previewPaints; ++i) paint(previewPage);
  if (whilePreviewOpen) whilePreviewOpen();
}

}  // namespace corvane
