#include "platform/raster/png.h"

#include <png.h>

#include <cstdint>
#include <vector>

namespace chu::platform {

namespace {
constexpr int kChannels = 3;

std::vector<std::uint8_t> ToRgbBytes(const Picture& picture) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(picture.pixels().size() * kChannels);
  for (std::uint32_t p : picture.pixels()) {
    bytes.push_back(static_cast<std::uint8_t>(p >> 16));
    bytes.push_back(static_cast<std::uint8_t>(p >> 8));
    bytes.push_back(static_cast<std::uint8_t>(p));
  }
  return bytes;
}

Picture FromRgbBytes(int width, int height, const std::vector<std::uint8_t>& bytes) {
  Picture picture(width, height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* src = bytes.data() + static_cast<std::size_t>(y) * width * kChannels;
    std::uint32_t* dst = picture.row(y);
    for (int x = 0; x < width; ++x, src += kChannels)
      dst[x] = std::uint32_t{src[0]} << 16 | std::uint32_t{src[1]} << 8 | std::uint32_t{src[2]};
  }
  return picture;
}

png_image NewImage() {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  return image;
}

std::string Describe(const std::string& path, const png_image& image, const char* what) {
  const std::string reason = image.message[0] != '\0' ? image.message : "unknown error";
  return std::string(what) + " " + path + ": " + reason;
}
}  // namespace

std::string WritePng(const std::string& path, const Picture& picture) {
  if (picture.empty()) return "cannot write " + path + ": the picture is empty";
  png_image image = NewImage();
  image.width = static_cast<png_uint_32>(picture.width());
  image.height = static_cast<png_uint_32>(picture.height());
  image.format = PNG_FORMAT_RGB;
  const std::vector<std::uint8_t> bytes = ToRgbBytes(picture);
  if (png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr) == 0)
    return Describe(path, image, "cannot write");
  return {};
}

std::optional<Picture> ReadPng(const std::string& path, std::string& error) {
  png_image image = NewImage();
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
    error = Describe(path, image, "cannot read");
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGB;
  const int width = static_cast<int>(image.width), height = static_cast<int>(image.height);
  std::vector<std::uint8_t> bytes(PNG_IMAGE_SIZE(image));
  const png_color black{0, 0, 0};
  if (png_image_finish_read(&image, &black, bytes.data(), 0, nullptr) == 0) {
    error = Describe(path, image, "cannot read");
    png_image_free(&image);
    return std::nullopt;
  }
  return FromRgbBytes(width, height, bytes);
}

}  // namespace chu::platform
