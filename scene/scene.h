// Every scene class at once.
#pragma once

#include "scene/direct3drm.h"
#include "scene/errors.h"
#include "scene/face.h"
#include "scene/frame.h"
#include "scene/light.h"
#include "scene/material.h"
#include "scene/mesh.h"
#include "scene/mesh_builder.h"
#include "scene/pick.h"
#include "scene/services.h"
#include "scene/shadow.h"
#include "scene/texture.h"
#include "scene/vantrel_declare.h"
#include "scene/wrap.h"
