// What the engine keeps of the output paths: a failed create forgets the
// earlier output, and the files a caller leaves out are not scanned (the
// image a build replaces and its work file, inside the source folder).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/image/iso_test_support.h"

using namespace isotest;

TEST(IsoOutputPath, AFailedCreateForgetsTheEarlierOutput) {
  TempTree tree("outpath");
  ASSERT_EQ(1, iso_create_output(tree.Path("first.iso").c_str()));
  iso_close_output();
  ASSERT_NE(nullptr, Iso.output_path);
  EXPECT_EQ(0, iso_create_output(tree.Path("missing/second.iso").c_str()));
  EXPECT_EQ(nullptr, Iso.output_path);  // a later cancel cannot delete first.iso
}

TEST(IsoOutputPath, LeftOutFilesAreNotScanned) {
  TempTree tree("leftout");
  tree.File("keep.txt", "k");
  tree.File("disc.iso", "old image");
  tree.File("disc.iso.tw~", "work file");
  iso_new_image();
  EXPECT_EQ(1, iso_leave_out_path(tree.Path("DISC.ISO").c_str()));  // names compare in any case
  EXPECT_EQ(1, iso_leave_out_path(tree.Path("disc.iso.tw~").c_str()));
  EXPECT_EQ(0, iso_leave_out_path(tree.Path("third").c_str()));
  ASSERT_EQ(1, iso_add_directory(iso_root_node(), tree.root().c_str()));
  std::set<std::string> names;
  for (DirectoryEntry* e = iso_root_node()->entries; e; e = e->next) names.insert(e->name);
  EXPECT_EQ(1u, names.count("keep.txt"));
  EXPECT_EQ(0u, names.count("disc.iso"));
  EXPECT_EQ(0u, names.count("disc.iso.tw~"));

  iso_new_image();  // forgets them
  iso_add_directory(iso_root_node(), tree.root().c_str());
  names.clear();
  for (DirectoryEntry* e = iso_root_node()->entries; e; e = e->next) names.insert(e->name);
  EXPECT_EQ(1u, names.count("disc.iso"));
}
