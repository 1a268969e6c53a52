/* The C side of vantrel.h: this file is compiled as C, includes the header and calls exports
 * linked from libvantrel.so, so that a C caller gets the same names, types and record layouts
 * as the C++ program. Exits 0 when every check holds; prints each failed check. */
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "bridge/vantrel.h"

_Static_assert(sizeof(struct DeviceRecord) == 8 * sizeof(uint32_t), "DeviceRecord is 8 handles");
_Static_assert(sizeof(struct MeshVertex) == 36, "MeshVertex is 36 bytes");

static int failures = 0;

#define CHECK(condition)                                                      \
  do {                                                                        \
    if (!(condition)) {                                                       \
      fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition); \
      ++failures;                                                             \
    }                                                                         \
  } while (0)

static int Near(float a, float b) { return a - b < 1e-6f && b - a < 1e-6f; }

int main(void) {
  /* Values pass through unchanged, pointers included. */
  CHECK(Pass(42) == 42);
  CHECK(Pass((intptr_t)&failures) == (intptr_t)&failures);

  /* Colours: float arguments and float results cross the interface intact. */
  const int32_t orange = d3dRGB(1.0f, 0.5f, 0.0f);
  CHECK(((uint32_t)orange >> 24) == 0xFFu);
  CHECK(Near(d3dGetRed(orange), 1.0f));
  CHECK(d3dGetGreen(orange) > 0.49f && d3dGetGreen(orange) < 0.51f);
  CHECK(Near(d3dGetBlue(orange), 0.0f));
  /* A program colour 0x00BBGGRR becomes the engine's 0xAARRGGBB. */
  CHECK((uint32_t)d3dVBColor(0x0000FF) == 0xFFFF0000u);
  CHECK((uint32_t)d3dVBColor(0xFF0000) == 0xFF0000FFu);

  /* Without a window the device is refused, and the record says so. */
  struct DeviceRecord rec;
  memset(&rec, 0, sizeof rec);
  CHECK(d3dInit(0, &rec, 2) == 0);
  CHECK(rec.colorModel == 2u);
  CHECK(rec.engine == 0u);
  CHECK(d3dCreateFrame(&rec, 0) == 0u);
  CHECK(d3dQuit(&rec) == 1);

  /* Handle 0 and null addresses are failures, never crashes. */
  float box[6] = {0};
  CHECK(d3dGetBoxMB(0, box) == 0);
  CHECK(d3dGetBoxMB(0, NULL) == 0);
  CHECK(d3dRelease(0) == 0);
  CHECK(d3dInit(1, NULL, 0) == 0);

  if (failures == 0) printf("vantrel.h from C: all checks hold\n");
  return failures == 0 ? 0 : 1;
}
