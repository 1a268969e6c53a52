// The binding to libvantrel.so: loading by name beside the program, missing libraries and
// exports, the name reader and the object maker.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "scene/library_loader.h"
#include "scene_test_support.h"

namespace kubisto {
namespace {

constexpr int kEndProgramCode = testing::RecordingServices::kEndProgramCode;

using testing::SceneTest;

TEST(LibraryLoader, AMissingLibraryIsAnErrorNamingIt) {
  // An unknown name, and a file that is there but is no library.
  try {
    LoadLibraryBesideProgram(KUBISTO_SOURCE_DIR "/scene/README.md");
    FAIL() << "loaded a text file";
  } catch (const BindingError& error) {
    EXPECT_EQ(error.number(), 48);
  }
  try {
    LoadLibraryBesideProgram("libvantrel-absent.so");
    FAIL() << "loaded a library that does not exist";
  } catch (const BindingError& error) {
    EXPECT_EQ(error.number(), 53);
    EXPECT_NE(std::string(error.what()).find("libvantrel-absent.so"), std::string::npos);
  }
  EXPECT_THROW(LoadLibraryBesideProgram("/no/such/folder/libvantrel.so"), BindingError);
}

TEST(LibraryLoader, AMissingExportIsAnErrorNamingIt) {
  REQUIRE_BRIDGE();
  void* library = LoadLibraryBesideProgram("libvantrel.so");
  ASSERT_NE(library, nullptr);
  EXPECT_NE(FindExport(library, "Pass", "libvantrel.so"), nullptr);
  try {
    FindExport(library, "d3dNoSuchExport", "libvantrel.so");
    FAIL() << "found an export that does not exist";
  } catch (const BindingError& error) {
    EXPECT_EQ(error.number(), 453);
    EXPECT_NE(std::string(error.what()).find("d3dNoSuchExport"), std::string::npos);
  }
}

TEST(Binding, TheLibraryBesideTheProgramIsTheOneLoaded) {
  REQUIRE_BRIDGE();
  void* pass = vantrel::Resolve("Pass");
  Dl_info info{};
  ASSERT_NE(dladdr(pass, &info), 0);
  const auto loaded = std::filesystem::canonical(info.dli_fname);
  const auto beside = std::filesystem::canonical(
      std::filesystem::read_symlink("/proc/self/exe").parent_path() / "libvantrel.so");
  EXPECT_EQ(loaded, beside);
}

TEST(Binding, AnExportIsBoundAtItsFirstCallAndTheLibraryStaysLoaded) {
  REQUIRE_BRIDGE();
  EXPECT_EQ(vantrel::Pass(1234), 1234);
  EXPECT_TRUE(vantrel::Pass.bound());
  EXPECT_TRUE(vantrel::LibraryLoaded());
  // Once loaded, the library cannot be swapped under the bound slots.
  EXPECT_THROW(vantrel::UseLibrary("libother.so"), std::logic_error);
  EXPECT_THROW(vantrel::Resolve("d3dNoSuchExport"), BindingError);
}

TEST(Binding, EveryDeclaredExportIsInTheLibrary) {
  for (const char* name : testing::DeclaredExports()) {
    EXPECT_NE(vantrel::Resolve(name), nullptr) << name;
  }
  EXPECT_EQ(testing::DeclaredExports().size(), 241u);
}

TEST(BindingDeathTest, AMissingLibraryReachesTheCallerOfInit) {
  // A fresh process, in which nothing is loaded yet.
  const std::string style = GTEST_FLAG_GET(death_test_style);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        vantrel::UseLibrary("libvantrel-absent.so");
        Direct3DRM rm;
        try {
          rm.Init(1);
        } catch (const BindingError& error) {
          std::fprintf(stderr, "caught: %s\n", error.what());
          std::_Exit(rm.Initialized ? 1 : 7);
        }
        std::_Exit(1);
      },
      ::testing::ExitedWithCode(7), "caught: File not found: libvantrel-absent.so");
  GTEST_FLAG_SET(death_test_style, style);
}

class NameReader : public SceneTest {};

TEST_F(NameReader, ReadsNamesUpTo39BytesWholeAndNoneAsEmpty) {
  FramePtr frame = rm->CreateFrame();
  const std::string name39(39, 'n');
  frame->Name(name39);
  EXPECT_EQ(frame->Name(), name39);
  frame->Name("部屋");
  EXPECT_EQ(NameFromHandle(frame->lp), "部屋");
  EXPECT_EQ(NameFromHandle(0), "");
}

class ObjectMaker : public SceneTest {};

TEST_F(ObjectMaker, WrapsEachHandleInTheClassOfItsEngineObject) {
  const auto makeFrom = [](const SceneObjectPtr& object) {
    vantrel::d3dAddRef(object->lp);  // the new wrapper takes over one reference
    return ObjectFromHandle(object->lp);
  };
  const MeshBuilderPtr builder = rm->CreateMeshBuilder();
  const SceneObjectPtr fromBuilder = makeFrom(builder);
  EXPECT_EQ(fromBuilder->Kind(), ObjectKind::MeshBuilder);
  EXPECT_EQ(fromBuilder->lp, builder->lp);
  EXPECT_NE(std::dynamic_pointer_cast<MeshBuilder>(fromBuilder), nullptr);

  EXPECT_EQ(makeFrom(rm->CreateMesh())->Kind(), ObjectKind::Mesh);
  EXPECT_EQ(makeFrom(rm->CreateFrame())->Kind(), ObjectKind::Frame);
  EXPECT_EQ(makeFrom(rm->CreateLight(1, 0))->Kind(), ObjectKind::Light);
  EXPECT_EQ(makeFrom(rm->CreateMaterial(5))->Kind(), ObjectKind::Material);
  EXPECT_EQ(makeFrom(rm->CreateFace())->Kind(), ObjectKind::Face);
}

using ObjectMakerDeathTest = ObjectMaker;

TEST_F(ObjectMakerDeathTest, HandleZeroEndsTheProgram) {
  EXPECT_EXIT(ObjectFromHandle(0), ::testing::ExitedWithCode(kEndProgramCode), "EndProgram after");
}

TEST_F(ObjectMakerDeathTest, AClassOutsideTheTableEndsTheProgram) {
  // A picked array is an engine object that no scene class stands for.
  PickPtr pick = rm->Pick(1, 1);
  ASSERT_NE(pick->lp, 0u);
  EXPECT_EXIT(
      {
        vantrel::d3dAddRef(pick->lp);
        ObjectFromHandle(pick->lp);
      },
      ::testing::ExitedWithCode(kEndProgramCode), "EndProgram after");
}

}  // namespace
}  // namespace kubisto
