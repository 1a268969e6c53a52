/*
 * vantrel.h - the public C interface of libvantrel.so.
 *
 * A flat, stateless interface over the retained-mode engine: 254 exports whose names begin
 * with d3d, and Pass. The program loads the library by name and looks each export up with
 * dlsym; this header gives the exact type of every export (decltype(&d3dInit) and so on).
 *
 * Conventions shared by every export
 *  - Handles are uint32_t values naming one engine object; 0 means none. A stale or forged
 *    handle is treated like 0. Every handle an export returns (create, get, load, clone,
 *    pick) carries one reference that the receiver gives back with d3dRelease. A handle
 *    passed as an argument is borrowed. d3dRelease gives back only references that exports
 *    handed out: releasing more than that does nothing (result 0), so a caller's surplus
 *    release cannot destroy an object that the engine itself still holds.
 *  - Flags: 1 for success, 0 for failure (a handle of 0, a missing "needed" handle, a null
 *    address, a failing engine call). Float getters return 0.0 on failure.
 *  - Where a handle argument may be 0 ("or 0"), 0 means none; a non-zero handle that names
 *    nothing is still a failure, never taken for none.
 *  - Boolean arguments: any non-zero value is true.
 *  - Engine colours are 0xAARRGGBB in an int32_t; program colours are 0x00BBGGRR.
 *  - Addresses point into caller memory: a vector is 3 floats, a box 6 floats (min x, y, z
 *    then max x, y, z), a matrix 16 floats row by row. A null address is a failure.
 *  - No export throws, aborts or dereferences a bad handle or a null address.
 *  - Single-threaded: call every export on the thread that owns the window.
 */
#ifndef KUBISTO_BRIDGE_VANTREL_H
#define KUBISTO_BRIDGE_VANTREL_H

#include <stdint.h>

#ifdef __cplusplus
#define VANTREL_API extern "C" __attribute__((visibility("default")))
namespace platform {
class Picture;
}
typedef platform::Picture VantrelPicture;
#else
#define VANTREL_API extern __attribute__((visibility("default")))
typedef struct VantrelPicture VantrelPicture;
#endif

/* Status results of d3dAddVertexFC and d3dCreateBitmap: 0 for success, else one of these. */
/* The engine refused the operation. */
#define VANTREL_STATUS_FAILED ((int32_t)0x8A560001)
/* The surface has no palette (a true-colour screen); the picture still holds the image. */
#define VANTREL_STATUS_NOPALETTE ((int32_t)0x8A560002)

/* One device on one window. The caller allocates it zeroed and keeps it at one address from
 * d3dInit to d3dQuit (the subclassed window holds that address). It owns one reference to
 * each object in the fields engine to camera. */
struct DeviceRecord {
  uint32_t hwnd;       /* window whose client area the device draws into */
  uint32_t engine;     /* engine handle */
  uint32_t clipper;    /* clipper bound to the window */
  uint32_t device;     /* rendering device */
  uint32_t viewport;   /* viewport on the device */
  uint32_t scene;      /* root frame of the scene */
  uint32_t camera;     /* camera frame, child of scene */
  uint32_t colorModel; /* option given to d3dInit: 0 default device, 1 mono, 2 RGB */
};

/* One vertex of a mesh group, as d3dSetVertices and d3dGetVertices exchange it (36 bytes). */
struct MeshVertex {
  float x, y, z;    /* position */
  float nx, ny, nz; /* normal */
  float u, v;       /* texture coordinates */
  int32_t color;    /* engine colour */
};

/* One line per export, aligned as a table. */
/* clang-format off */

/* ==================================================================================== */
/* Device, viewport and camera: the first argument is the caller's DeviceRecord           */
/* ==================================================================================== */
VANTREL_API int32_t d3dInit(uint32_t hwnd, struct DeviceRecord* rec, int32_t colorModel); /* 1 after the attempt, 0 refused */
VANTREL_API int32_t d3dQuit(struct DeviceRecord* rec);                                   /* releases all, unsubclasses; always 1 */
VANTREL_API int32_t d3dConfigure(struct DeviceRecord* rec, int32_t x, int32_t y, int32_t width, int32_t height); /* viewport Configure */
VANTREL_API void    d3dRender(struct DeviceRecord* rec);                                  /* clear, render scene, update */
VANTREL_API void    d3dClear(struct DeviceRecord* rec);                                   /* clear, update */
VANTREL_API int32_t d3dTick(struct DeviceRecord* rec, float delta);                      /* engine Tick: rotations, velocities */
VANTREL_API int32_t d3dSetCamera(struct DeviceRecord* rec, uint32_t frame);              /* viewport camera only */
VANTREL_API uint32_t d3dGetCamera(struct DeviceRecord* rec);                             /* viewport camera, new reference */
VANTREL_API int32_t d3dSetFront(struct DeviceRecord* rec, float value);                  /* front clipping plane */
VANTREL_API int32_t d3dSetBack(struct DeviceRecord* rec, float value);                   /* back clipping plane */
VANTREL_API int32_t d3dSetField(struct DeviceRecord* rec, float value);                  /* field (half extent on the front plane) */
VANTREL_API float   d3dGetFront(struct DeviceRecord* rec);                               /* 0.0 without a viewport */
VANTREL_API float   d3dGetBack(struct DeviceRecord* rec);                                /* 0.0 without a viewport */
VANTREL_API float   d3dGetField(struct DeviceRecord* rec);                               /* 0.0 without a viewport */
VANTREL_API int32_t d3dSetPlane(struct DeviceRecord* rec, float left, float right, float bottom, float top); /* front plane rectangle */
VANTREL_API int32_t d3dGetPlane(struct DeviceRecord* rec, float* lrbt);                  /* fills left, right, bottom, top */
VANTREL_API int32_t d3dSetProjection(struct DeviceRecord* rec, int32_t type);            /* 0 perspective, 1 orthographic */
VANTREL_API int32_t d3dGetProjection(struct DeviceRecord* rec);                          /* projection type */
VANTREL_API int32_t d3dSetUniformScaling(struct DeviceRecord* rec, int32_t on);          /* Boolean */
VANTREL_API int32_t d3dGetUniformScaling(struct DeviceRecord* rec);                      /* 1 or 0 */
VANTREL_API int32_t d3dGetViewportX(struct DeviceRecord* rec);                           /* 0 without a viewport */
VANTREL_API int32_t d3dGetViewportY(struct DeviceRecord* rec);                           /* 0 without a viewport */
VANTREL_API int32_t d3dGetViewportWidth(struct DeviceRecord* rec);                       /* 0 without a viewport */
VANTREL_API int32_t d3dGetViewportHeight(struct DeviceRecord* rec);                      /* 0 without a viewport */
VANTREL_API int32_t d3dGetDeviceWidth(struct DeviceRecord* rec);                         /* 0 without a device */
VANTREL_API int32_t d3dGetDeviceHeight(struct DeviceRecord* rec);                        /* 0 without a device */
VANTREL_API int32_t d3dSetDeviceQuality(struct DeviceRecord* rec, int32_t quality);      /* shade + lighting + fill */
VANTREL_API int32_t d3dGetDeviceQuality(struct DeviceRecord* rec);                       /* 0 without a device */
VANTREL_API int32_t d3dSetDither(struct DeviceRecord* rec, int32_t on);                  /* Boolean */
VANTREL_API int32_t d3dGetDither(struct DeviceRecord* rec);                              /* 1 or 0 */
VANTREL_API int32_t d3dSetTextureQuality(struct DeviceRecord* rec, int32_t quality);     /* 0..5 */
VANTREL_API int32_t d3dGetTextureQuality(struct DeviceRecord* rec);                      /* texture quality */
VANTREL_API int32_t d3dGetColorModel(struct DeviceRecord* rec);                          /* 1 mono, 2 RGB; 0 without a device */

/* ==================================================================================== */
/* Colours and references                                                               */
/* ==================================================================================== */
VANTREL_API int32_t d3dRGB(float red, float green, float blue);                          /* engine colour, alpha 255 */
VANTREL_API int32_t d3dVBColor(int32_t color);                                           /* program colour (bit 31: system colour) to engine colour */
VANTREL_API float   d3dGetRed(int32_t color);                                            /* channel fraction 0.0-1.0 */
VANTREL_API float   d3dGetGreen(int32_t color);                                          /* channel fraction 0.0-1.0 */
VANTREL_API float   d3dGetBlue(int32_t color);                                           /* channel fraction 0.0-1.0 */
VANTREL_API int32_t d3dAddRef(uint32_t handle);                                          /* 0: no count is 0 after an added reference */
VANTREL_API int32_t d3dRelease(uint32_t handle);                                         /* 1 if the count left is 0, else 0 */
VANTREL_API intptr_t Pass(intptr_t value);                                               /* returns its argument */

/* ==================================================================================== */
/* Factories: the record's engine (or a mesh builder); each result is a new reference   */
/* ==================================================================================== */
VANTREL_API uint32_t d3dCreateFrame(struct DeviceRecord* rec, uint32_t parent);         /* child of parent, or of scene for 0 */
VANTREL_API uint32_t d3dCreateMesh(struct DeviceRecord* rec);                            /* empty mesh */
VANTREL_API uint32_t d3dCreateMeshBuilder(struct DeviceRecord* rec);                     /* empty mesh builder */
VANTREL_API uint32_t d3dCreateFace(struct DeviceRecord* rec);                            /* free face */
VANTREL_API uint32_t d3dCreateLight(struct DeviceRecord* rec, int32_t type, int32_t color); /* light of a type and engine colour */
VANTREL_API uint32_t d3dCreateLightRGB(struct DeviceRecord* rec, int32_t type, float red, float green, float blue); /* light from fractions */
VANTREL_API uint32_t d3dCreateMaterial(struct DeviceRecord* rec, float power);           /* material of a specular power */
VANTREL_API uint32_t d3dCreateShadow(struct DeviceRecord* rec, uint32_t visual, uint32_t light,
                                     float px, float py, float pz, float nx, float ny, float nz); /* visual, light needed */
VANTREL_API uint32_t d3dCreateWrap(struct DeviceRecord* rec, int32_t type, uint32_t reference,
                                   float ox, float oy, float oz, float dx, float dy, float dz,
                                   float ux, float uy, float uz, float ou, float ov, float su, float sv); /* texture wrap */
VANTREL_API uint32_t d3dCreateAnimation(struct DeviceRecord* rec);                       /* empty animation */
VANTREL_API uint32_t d3dCreateAnimationSet(struct DeviceRecord* rec);                    /* empty animation set */
VANTREL_API uint32_t d3dLoadTexture(struct DeviceRecord* rec, const char* fileName);     /* texture from an image file */
VANTREL_API uint32_t d3dCreateFaceMB(uint32_t meshBuilder);                              /* new empty face of the builder */
VANTREL_API uint32_t d3dCreateMeshMB(uint32_t meshBuilder);                              /* mesh made from the builder's faces */

/* ==================================================================================== */
/* Cloning: an independent copy, new reference                                          */
/* ==================================================================================== */
VANTREL_API uint32_t d3dCloneFM(uint32_t frame);                                         /* frame */
VANTREL_API uint32_t d3dCloneFC(uint32_t face);                                          /* face */
VANTREL_API uint32_t d3dCloneLT(uint32_t light);                                         /* light */
VANTREL_API uint32_t d3dCloneMS(uint32_t mesh);                                          /* mesh */
VANTREL_API uint32_t d3dCloneMB(uint32_t meshBuilder);                                   /* mesh builder */
VANTREL_API uint32_t d3dCloneTX(uint32_t texture);                                       /* texture */
VANTREL_API uint32_t d3dCloneMT(uint32_t material);                                      /* material */

/* ==================================================================================== */
/* Frame hierarchy and contents                                                         */
/* ==================================================================================== */
VANTREL_API int32_t  d3dAddChild(uint32_t frame, uint32_t child);                        /* child needed */
VANTREL_API int32_t  d3dDeleteChild(uint32_t frame, uint32_t child);                     /* child needed */
VANTREL_API uint32_t d3dGetParent(uint32_t frame);                                       /* parent or 0 */
VANTREL_API uint32_t d3dGetScene(uint32_t frame);                                        /* root above the frame */
VANTREL_API int32_t  d3dGetChildCount(uint32_t frame);                                   /* number of children */
VANTREL_API uint32_t d3dGetChild(uint32_t frame, int32_t index);                         /* child at index, 0 out of range */
VANTREL_API int32_t  d3dAddVisual(uint32_t frame, uint32_t visual);                      /* visual needed */
VANTREL_API int32_t  d3dDeleteVisual(uint32_t frame, uint32_t visual);                   /* visual needed */
VANTREL_API int32_t  d3dAddLight(uint32_t frame, uint32_t light);                        /* light needed */
VANTREL_API int32_t  d3dDeleteLight(uint32_t frame, uint32_t light);                     /* light needed */
VANTREL_API int32_t  d3dGetVisualCount(uint32_t frame);                                  /* number of visuals */
VANTREL_API uint32_t d3dGetVisual(uint32_t frame, int32_t index);                        /* visual at index */
VANTREL_API int32_t  d3dGetLightCount(uint32_t frame);                                   /* number of lights */
VANTREL_API uint32_t d3dGetLight(uint32_t frame, int32_t index);                         /* light at index */

/* ==================================================================================== */
/* Frame placement and motion: reference frame 0 means the parent                       */
/* ==================================================================================== */
VANTREL_API int32_t d3dSetPosition(uint32_t frame, uint32_t reference, float x, float y, float z); /* origin in reference */
VANTREL_API int32_t d3dGetPosition(uint32_t frame, uint32_t reference, float* vector);   /* origin in reference */
VANTREL_API int32_t d3dSetRotation(uint32_t frame, uint32_t reference, float x, float y, float z, float angle); /* per unit of time */
VANTREL_API int32_t d3dGetRotation(uint32_t frame, uint32_t reference, float* axis, float* angle); /* axis vector, angle */
VANTREL_API int32_t d3dSetOrientation(uint32_t frame, uint32_t reference, float dx, float dy, float dz,
                                      float ux, float uy, float uz);                      /* direction and up */
VANTREL_API int32_t d3dGetOrientation(uint32_t frame, uint32_t reference, float* direction, float* up); /* two vectors */
VANTREL_API int32_t d3dSetVelocity(uint32_t frame, uint32_t reference, float x, float y, float z, int32_t withRotation); /* per unit of time */
VANTREL_API int32_t d3dGetVelocity(uint32_t frame, uint32_t reference, float* vector, int32_t withRotation); /* velocity vector */
VANTREL_API int32_t d3dAddRotation(uint32_t frame, int32_t combine, float x, float y, float z, float angle); /* at once */
VANTREL_API int32_t d3dAddScale(uint32_t frame, int32_t combine, float x, float y, float z); /* at once */
VANTREL_API int32_t d3dAddTranslation(uint32_t frame, int32_t combine, float x, float y, float z); /* at once */
VANTREL_API int32_t d3dAddTransform(uint32_t frame, int32_t combine, const float* matrix); /* 16 floats */
VANTREL_API int32_t d3dGetTransform(uint32_t frame, float* matrix);                      /* 16 floats */
VANTREL_API int32_t d3dLookAt(uint32_t frame, uint32_t target, uint32_t reference, int32_t constraint); /* turn toward target */
VANTREL_API int32_t d3dMove(uint32_t frame, float delta);                                /* apply rotation and velocity */

/* ==================================================================================== */
/* Frame appearance                                                                     */
/* ==================================================================================== */
VANTREL_API int32_t  d3dSetColorFM(uint32_t frame, int32_t color);                       /* engine colour */
VANTREL_API int32_t  d3dGetColorFM(uint32_t frame);                                      /* engine colour */
VANTREL_API int32_t  d3dSetTextureFM(uint32_t frame, uint32_t texture);                  /* texture or 0 */
VANTREL_API uint32_t d3dGetTextureFM(uint32_t frame);                                    /* texture or 0 */
VANTREL_API int32_t  d3dSetTextureTopoFM(uint32_t frame, int32_t topology);              /* bit 0 wrap u, bit 1 wrap v */
VANTREL_API int32_t  d3dGetTextureTopoFM(uint32_t frame);                                /* 2 * v + u */
VANTREL_API int32_t  d3dSetMaterialMode(uint32_t frame, int32_t mode);                   /* material mode */
VANTREL_API int32_t  d3dGetMaterialMode(uint32_t frame);                                 /* material mode */
VANTREL_API int32_t  d3dSetSortMode(uint32_t frame, int32_t mode);                       /* sort mode */
VANTREL_API int32_t  d3dGetSortMode(uint32_t frame);                                     /* sort mode */

/* ==================================================================================== */
/* Scene background and fog: the record's scene                                         */
/* ==================================================================================== */
VANTREL_API int32_t d3dSetBackColor(struct DeviceRecord* rec, int32_t color);            /* engine colour */
VANTREL_API int32_t d3dGetBackColor(struct DeviceRecord* rec);                           /* engine colour */
VANTREL_API int32_t d3dSetBackColorRGB(struct DeviceRecord* rec, float red, float green, float blue); /* fractions */
VANTREL_API int32_t d3dSetFogEnable(struct DeviceRecord* rec, int32_t on);               /* Boolean */
VANTREL_API int32_t d3dGetFogEnable(struct DeviceRecord* rec);                           /* 1 or 0 */
VANTREL_API int32_t d3dSetFogColor(struct DeviceRecord* rec, int32_t color);             /* engine colour */
VANTREL_API int32_t d3dGetFogColor(struct DeviceRecord* rec);                            /* engine colour */
VANTREL_API int32_t d3dSetFogColorRGB(struct DeviceRecord* rec, float red, float green, float blue); /* fractions */
VANTREL_API int32_t d3dSetFogMode(struct DeviceRecord* rec, int32_t mode);               /* fog mode */
VANTREL_API int32_t d3dGetFogMode(struct DeviceRecord* rec);                             /* fog mode */
VANTREL_API int32_t d3dSetFogParams(struct DeviceRecord* rec, float start, float end, float density); /* fog parameters */
VANTREL_API int32_t d3dGetFogParams(struct DeviceRecord* rec, float* startEndDensity);   /* fills 3 floats */

/* ==================================================================================== */
/* Mesh builder geometry                                                                */
/* ==================================================================================== */
VANTREL_API int32_t  d3dAddVertexMB(uint32_t meshBuilder, float x, float y, float z);    /* index, -1 for handle 0 */
VANTREL_API int32_t  d3dAddNormalMB(uint32_t meshBuilder, float x, float y, float z);    /* index, -1 for handle 0 */
VANTREL_API int32_t  d3dSetVertexMB(uint32_t meshBuilder, int32_t index, float x, float y, float z); /* move a vertex */
VANTREL_API int32_t  d3dSetNormalMB(uint32_t meshBuilder, int32_t index, float x, float y, float z); /* change a normal */
VANTREL_API int32_t  d3dGetVertexMB(uint32_t meshBuilder, int32_t index, float* vector); /* copy one vertex out */
VANTREL_API int32_t  d3dGetNormalMB(uint32_t meshBuilder, int32_t index, float* vector); /* copy one normal out */
VANTREL_API int32_t  d3dGetVertexCountMB(uint32_t meshBuilder);                          /* vertex count */
VANTREL_API int32_t  d3dGetNormalCountMB(uint32_t meshBuilder);                          /* normal count */
VANTREL_API int32_t  d3dGetFaceCount(uint32_t meshBuilder);                              /* face count */
VANTREL_API uint32_t d3dGetFace(uint32_t meshBuilder, int32_t index);                    /* face at index */
VANTREL_API int32_t  d3dAddFace(uint32_t meshBuilder, uint32_t face);                    /* face needed */
VANTREL_API int32_t  d3dAddFrame(uint32_t meshBuilder, uint32_t frame);                  /* frame's visuals; frame needed */
VANTREL_API int32_t  d3dAddMesh(uint32_t meshBuilder, uint32_t mesh);                    /* mesh needed */
VANTREL_API int32_t  d3dAddMeshBuilder(uint32_t meshBuilder, uint32_t other);            /* other needed */
VANTREL_API int32_t  d3dGenerateNormals(uint32_t meshBuilder);                           /* normals from faces */
VANTREL_API int32_t  d3dScaleMB(uint32_t meshBuilder, float x, float y, float z);        /* scale vertices */
VANTREL_API int32_t  d3dTranslateMB(uint32_t meshBuilder, float x, float y, float z);    /* move vertices */
VANTREL_API int32_t  d3dGetBoxMB(uint32_t meshBuilder, float* box);                      /* 6 floats */
VANTREL_API int32_t  d3dLoadMB(uint32_t meshBuilder, const char* fileName);              /* first object of the file */
VANTREL_API int32_t  d3dLoadMBByName(uint32_t meshBuilder, const char* fileName, const char* objectName); /* named object */
VANTREL_API int32_t  d3dLoadMBByIndex(uint32_t meshBuilder, const char* fileName, int32_t position); /* object at a position */
VANTREL_API int32_t  d3dSaveMB(uint32_t meshBuilder, const char* fileName, int32_t format, int32_t options); /* write a mesh file */

/* ==================================================================================== */
/* Mesh builder appearance                                                              */
/* ==================================================================================== */
VANTREL_API int32_t d3dSetColorMB(uint32_t meshBuilder, int32_t color);                  /* every face */
VANTREL_API int32_t d3dSetColorSource(uint32_t meshBuilder, int32_t source);             /* colour source */
VANTREL_API int32_t d3dGetColorSource(uint32_t meshBuilder);                             /* colour source */
VANTREL_API int32_t d3dSetMaterialMB(uint32_t meshBuilder, uint32_t material);           /* material or 0 */
VANTREL_API int32_t d3dSetTextureMB(uint32_t meshBuilder, uint32_t texture);             /* texture or 0 */
VANTREL_API int32_t d3dSetTextureCoordMB(uint32_t meshBuilder, int32_t index, float u, float v); /* vertex u, v */
VANTREL_API int32_t d3dGetTextureCoordMB(uint32_t meshBuilder, int32_t index, float* uv); /* 2 floats */
VANTREL_API int32_t d3dSetTextureTopoMB(uint32_t meshBuilder, int32_t topology);         /* bit 0 wrap u, bit 1 wrap v */
VANTREL_API int32_t d3dSetQuality(uint32_t meshBuilder, int32_t quality);                /* render quality */
VANTREL_API int32_t d3dGetQuality(uint32_t meshBuilder);                                 /* render quality */
VANTREL_API int32_t d3dSetPerspective(uint32_t meshBuilder, int32_t on);                 /* perspective-correct textures */
VANTREL_API int32_t d3dGetPerspective(uint32_t meshBuilder);                             /* 1 or 0 */
VANTREL_API int32_t d3dSetVertexColor(uint32_t meshBuilder, int32_t index, int32_t color); /* engine colour */
VANTREL_API int32_t d3dSetVertexColorRGB(uint32_t meshBuilder, int32_t index, float red, float green, float blue); /* fractions */
VANTREL_API int32_t d3dGetVertexColor(uint32_t meshBuilder, int32_t index);              /* engine colour */

/* ==================================================================================== */
/* Faces                                                                                */
/* ==================================================================================== */
VANTREL_API int32_t  d3dAddVertexFC(uint32_t face, float x, float y, float z);          /* status: 0 success, -1 handle 0 */
VANTREL_API int32_t  d3dAddVertexAndNormal(uint32_t face, int32_t vertex, int32_t normal); /* builder indices */
VANTREL_API int32_t  d3dGetVertexCountFC(uint32_t face);                                 /* corner count */
VANTREL_API int32_t  d3dGetVertexFC(uint32_t face, int32_t which, float* vertex, float* normal); /* two vectors */
VANTREL_API int32_t  d3dGetVertexIndex(uint32_t face, int32_t which);                    /* builder index, -1 for handle 0 */
VANTREL_API int32_t  d3dGetNormalFC(uint32_t face, float* vector);                       /* face normal */
VANTREL_API int32_t  d3dSetColorFC(uint32_t face, int32_t color);                        /* engine colour */
VANTREL_API int32_t  d3dGetColorFC(uint32_t face);                                       /* engine colour */
VANTREL_API int32_t  d3dSetMaterialFC(uint32_t face, uint32_t material);                 /* material or 0 */
VANTREL_API uint32_t d3dGetMaterialFC(uint32_t face);                                    /* material or 0 */
VANTREL_API int32_t  d3dSetTextureFC(uint32_t face, uint32_t texture);                   /* texture or 0 */
VANTREL_API uint32_t d3dGetTextureFC(uint32_t face);                                     /* texture or 0 */
VANTREL_API int32_t  d3dSetTextureCoordFC(uint32_t face, int32_t which, float u, float v); /* corner u, v */
VANTREL_API int32_t  d3dGetTextureCoordFC(uint32_t face, int32_t which, float* uv);      /* 2 floats */
VANTREL_API int32_t  d3dSetTextureTopoFC(uint32_t face, int32_t topology);               /* bit 0 wrap u, bit 1 wrap v */
VANTREL_API int32_t  d3dGetTextureTopoFC(uint32_t face);                                 /* 2 * v + u */

/* ==================================================================================== */
/* Meshes and groups                                                                    */
/* ==================================================================================== */
VANTREL_API int32_t  d3dAddGroup(uint32_t mesh, int32_t vertexCount, int32_t faceCount, int32_t vertexPerFace,
                                 const int32_t* faceData);                                /* group number, -1 on failure */
VANTREL_API int32_t  d3dGetGroupCount(uint32_t mesh);                                    /* number of groups */
VANTREL_API int32_t  d3dSetVertices(uint32_t mesh, int32_t group, int32_t first, int32_t count,
                                    const struct MeshVertex* vertices);                   /* write group vertices */
VANTREL_API int32_t  d3dGetVertices(uint32_t mesh, int32_t group, int32_t first, int32_t count,
                                    struct MeshVertex* vertices);                         /* read group vertices */
VANTREL_API int32_t  d3dGetGroupVertexCount(uint32_t mesh, int32_t group);               /* 0 for an absent group */
VANTREL_API int32_t  d3dGetGroupFaceCount(uint32_t mesh, int32_t group);                 /* 0 for an absent group */
VANTREL_API int32_t  d3dGetGroupVertexPerFace(uint32_t mesh, int32_t group);             /* 0 for an absent group */
VANTREL_API int32_t  d3dGetGroupData(uint32_t mesh, int32_t group, int32_t size, int32_t* faceData); /* size in entries */
VANTREL_API int32_t  d3dSetGroupColor(uint32_t mesh, int32_t group, int32_t color);      /* engine colour */
VANTREL_API int32_t  d3dGetGroupColor(uint32_t mesh, int32_t group);                     /* engine colour */
VANTREL_API int32_t  d3dSetGroupColorRGB(uint32_t mesh, int32_t group, float red, float green, float blue); /* fractions */
VANTREL_API int32_t  d3dSetGroupMapping(uint32_t mesh, int32_t group, int32_t mapping);  /* mapping flags */
VANTREL_API int32_t  d3dGetGroupMapping(uint32_t mesh, int32_t group);                   /* mapping flags */
VANTREL_API int32_t  d3dSetGroupQuality(uint32_t mesh, int32_t group, int32_t quality);  /* render quality */
VANTREL_API int32_t  d3dGetGroupQuality(uint32_t mesh, int32_t group);                   /* render quality */
VANTREL_API int32_t  d3dSetGroupMaterial(uint32_t mesh, int32_t group, uint32_t material); /* material or 0 */
VANTREL_API uint32_t d3dGetGroupMaterial(uint32_t mesh, int32_t group);                  /* material or 0 */
VANTREL_API int32_t  d3dSetGroupTexture(uint32_t mesh, int32_t group, uint32_t texture); /* texture or 0 */
VANTREL_API uint32_t d3dGetGroupTexture(uint32_t mesh, int32_t group);                   /* texture or 0 */
VANTREL_API int32_t  d3dScaleMS(uint32_t mesh, float x, float y, float z);               /* scale vertices */
VANTREL_API int32_t  d3dTranslateMS(uint32_t mesh, float x, float y, float z);           /* move vertices */
VANTREL_API int32_t  d3dGetBoxMS(uint32_t mesh, float* box);                             /* 6 floats */

/* ==================================================================================== */
/* Lights                                                                               */
/* ==================================================================================== */
VANTREL_API int32_t  d3dSetType(uint32_t light, int32_t type);                           /* 0 ambient .. 4 parallel point */
VANTREL_API int32_t  d3dGetType(uint32_t light);                                         /* light type */
VANTREL_API int32_t  d3dSetColorLT(uint32_t light, int32_t color);                       /* engine colour */
VANTREL_API int32_t  d3dGetColorLT(uint32_t light);                                      /* engine colour */
VANTREL_API int32_t  d3dSetRange(uint32_t light, float value);                           /* range */
VANTREL_API float    d3dGetRange(uint32_t light);                                        /* range */
VANTREL_API int32_t  d3dSetUmbra(uint32_t light, float angle);                           /* spot inner angle */
VANTREL_API float    d3dGetUmbra(uint32_t light);                                        /* spot inner angle */
VANTREL_API int32_t  d3dSetPenumbra(uint32_t light, float angle);                        /* spot outer angle */
VANTREL_API float    d3dGetPenumbra(uint32_t light);                                     /* spot outer angle */
VANTREL_API int32_t  d3dSetConstantAtt(uint32_t light, float value);                     /* constant attenuation */
VANTREL_API float    d3dGetConstantAtt(uint32_t light);                                  /* constant attenuation */
VANTREL_API int32_t  d3dSetLinearAtt(uint32_t light, float value);                       /* linear attenuation */
VANTREL_API float    d3dGetLinearAtt(uint32_t light);                                    /* linear attenuation */
VANTREL_API int32_t  d3dSetQuadraticAtt(uint32_t light, float value);                    /* quadratic attenuation */
VANTREL_API float    d3dGetQuadraticAtt(uint32_t light);                                 /* quadratic attenuation */
VANTREL_API int32_t  d3dSetEnableFrame(uint32_t light, uint32_t frame);                  /* frame or 0 */
VANTREL_API uint32_t d3dGetEnableFrame(uint32_t light);                                  /* frame or 0 */

/* ==================================================================================== */
/* Materials                                                                            */
/* ==================================================================================== */
VANTREL_API int32_t d3dSetPower(uint32_t material, float power);                         /* specular power */
VANTREL_API float   d3dGetPower(uint32_t material);                                      /* specular power */
VANTREL_API int32_t d3dSetSpecular(uint32_t material, int32_t color);                    /* engine colour */
VANTREL_API int32_t d3dGetSpecular(uint32_t material);                                   /* engine colour, 0 on failure */
VANTREL_API int32_t d3dSetEmissive(uint32_t material, int32_t color);                    /* engine colour */
VANTREL_API int32_t d3dGetEmissive(uint32_t material);                                   /* engine colour, 0 on failure */

/* ==================================================================================== */
/* Textures and decals                                                                  */
/* ==================================================================================== */
VANTREL_API int32_t d3dSetTextureColors(uint32_t texture, int32_t count);                /* colours used */
VANTREL_API int32_t d3dGetTextureColors(uint32_t texture);                               /* colours used */
VANTREL_API int32_t d3dSetTextureShades(uint32_t texture, int32_t count);                /* shades per colour */
VANTREL_API int32_t d3dGetTextureShades(uint32_t texture);                               /* shades per colour */
VANTREL_API int32_t d3dGetTextureWidth(uint32_t texture);                                /* image width in pixels */
VANTREL_API int32_t d3dGetTextureHeight(uint32_t texture);                               /* image height in pixels */
VANTREL_API int32_t d3dSetDecalSize(uint32_t texture, float width, float height);        /* decal size */
VANTREL_API int32_t d3dGetDecalSize(uint32_t texture, float* widthHeight);               /* 2 floats */
VANTREL_API int32_t d3dSetDecalOrigin(uint32_t texture, int32_t x, int32_t y);           /* decal origin */
VANTREL_API int32_t d3dGetDecalOrigin(uint32_t texture, int32_t* xy);                    /* 2 integers */
VANTREL_API int32_t d3dSetDecalScale(uint32_t texture, int32_t on);                      /* Boolean */
VANTREL_API int32_t d3dGetDecalScale(uint32_t texture);                                  /* 1 or 0 */
VANTREL_API int32_t d3dSetDecalTransparency(uint32_t texture, int32_t on);               /* Boolean */
VANTREL_API int32_t d3dGetDecalTransparency(uint32_t texture);                           /* 1 or 0 */
VANTREL_API int32_t d3dSetDecalTranspColor(uint32_t texture, int32_t color);             /* engine colour */
VANTREL_API int32_t d3dGetDecalTranspColor(uint32_t texture);                            /* engine colour */

/* ==================================================================================== */
/* Wraps                                                                                */
/* ==================================================================================== */
VANTREL_API int32_t d3dApply(uint32_t wrap, uint32_t object);                            /* texture coordinates; object needed */
VANTREL_API int32_t d3dApplyRelative(uint32_t wrap, uint32_t frame, uint32_t object);    /* relative to frame; both needed */

/* ==================================================================================== */
/* Animations (AM) and animation sets (AS)                                              */
/* ==================================================================================== */
VANTREL_API int32_t d3dSetOptions(uint32_t animation, int32_t options);                  /* animation options */
VANTREL_API int32_t d3dGetOptions(uint32_t animation);                                   /* animation options */
VANTREL_API int32_t d3dAddPositionKey(uint32_t animation, float time, float x, float y, float z); /* position key */
VANTREL_API int32_t d3dAddScaleKey(uint32_t animation, float time, float x, float y, float z); /* scale key */
VANTREL_API int32_t d3dAddRotateKey(uint32_t animation, float time, float x, float y, float z, float s); /* quaternion key */
VANTREL_API int32_t d3dDeleteKey(uint32_t animation, float time);                        /* key at a time */
VANTREL_API int32_t d3dSetFrame(uint32_t animation, uint32_t frame);                     /* frame moved, or 0 */
VANTREL_API int32_t d3dSetTimeAM(uint32_t animation, float time);                        /* place the frame at a time */
VANTREL_API int32_t d3dAddAnimation(uint32_t animationSet, uint32_t animation);          /* animation needed */
VANTREL_API int32_t d3dDeleteAnimation(uint32_t animationSet, uint32_t animation);       /* animation needed */
VANTREL_API int32_t d3dSetTimeAS(uint32_t animationSet, float time);                     /* every animation at a time */

/* ==================================================================================== */
/* Picking, snapshot, background image                                                  */
/* ==================================================================================== */
VANTREL_API uint32_t d3dPick(struct DeviceRecord* rec, int32_t x, int32_t y);           /* picked array, nearest first */
VANTREL_API int32_t  d3dPickedCount(uint32_t picked);                                    /* entries */
VANTREL_API uint32_t d3dPickedObject(uint32_t picked, int32_t index);                    /* the visual */
VANTREL_API uint32_t d3dPickedFrame(uint32_t picked, int32_t index);                     /* frame holding the visual */
VANTREL_API int32_t  d3dCreateBitmap(struct DeviceRecord* rec, VantrelPicture** picture); /* replaces *picture; 0 success */
VANTREL_API int32_t  d3dSetImage(struct DeviceRecord* rec, uint32_t texture);            /* scene background image; texture needed */

/* ==================================================================================== */
/* Object data and conversion                                                           */
/* ==================================================================================== */
VANTREL_API int32_t  d3dSetName(uint32_t handle, const char* name);                      /* object name */
VANTREL_API int32_t  d3dGetName(uint32_t handle, int32_t size, char* buffer);            /* terminated; 0 when cut to fit */
VANTREL_API int32_t  d3dGetClassName(uint32_t handle, int32_t size, char* buffer);       /* "Frame", "Builder", ... */
VANTREL_API int32_t  d3dSetItemData(uint32_t handle, int32_t value);                     /* application value */
VANTREL_API int32_t  d3dGetItemData(uint32_t handle);                                    /* application value */
VANTREL_API uint32_t d3dGetNamedObject(struct DeviceRecord* rec, const char* name);      /* object of that name */
VANTREL_API int32_t  d3dFrameToScene(uint32_t frame, float* vector);                     /* in place, frame to scene */
VANTREL_API int32_t  d3dSceneToFrame(uint32_t frame, float* vector);                     /* in place, scene to frame */

/* clang-format on */

#endif /* KUBISTO_BRIDGE_VANTREL_H */
