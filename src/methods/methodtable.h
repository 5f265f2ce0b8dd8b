#pragma once

#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>

#include "methods/methodparams.h"
#include "methods/webcam_sistemavisione_dim.h"
#include "methods/webcam_sistemavisione_image.h"
#include "methods/webcam_sistemavisione_lineaoriz.h"
#include "methods/webcam_sistemavisione_lineavert.h"
#include "methods/webcam_sistemavisione_point.h"
#include "methods/webcam_sistemavisione_zona.h"

// The station's methods, one row each, in record order: whole image, point, zone, vertical line,
// horizontal line, dimension. The capture holds one record per row in this order, reads their files
// in this order when it connects and writes them in this order when it goes.
//
// A row is the method's own description (see PointMethod): its Record type, its number kNumber
// (the auto-start value, the main-window button and the dispatch order, 1 to 6), kFileName,
// kDefaultTolerance, kOutputs (how many numbers the check gives, and so the shape of the "1,..."
// reply), Messages() and Fields(), the file's fields in file order.
template <class... Rows>
struct MethodList {};

using MethodTable = MethodList<ImageMethod, PointMethod, ZoneMethod, VerticalLineMethod,
                               HorizontalLineMethod, DimMethod>;

// Defaults, path, a black reference of the frame size; then the file. A stored picture's size
// goes into frameWidth and frameHeight, which the next rows are created with.
template <class Row>
void InitParams(typename Row::Record& record, int32_t& frameWidth, int32_t& frameHeight);
// Reads the row's file into the record.
template <class Row>
ParamFileLoad LoadParams(typename Row::Record& record, int32_t& frameWidth, int32_t& frameHeight);
// Writes the row's file when the record has a path.
template <class Row>
bool SaveParams(const typename Row::Record& record, int32_t frameWidth, int32_t frameHeight);
// Save, then the reference goes.
template <class Row>
void FreeParams(typename Row::Record& record, int32_t frameWidth, int32_t frameHeight);

// One record per row of a method list, reached by its row.
template <class List>
class RecordSet;

template <class... Rows>
class RecordSet<MethodList<Rows...>> {
 public:
  template <class Row>
  typename Row::Record& Of() {
    return std::get<IndexOf<Row>()>(records);
  }
  template <class Row>
  const typename Row::Record& Of() const {
    return std::get<IndexOf<Row>()>(records);
  }

  // Every row's InitParams, in row order.
  void InitAll(int32_t& frameWidth, int32_t& frameHeight) {
    (InitParams<Rows>(Of<Rows>(), frameWidth, frameHeight), ...);
  }
  // Every row's FreeParams, in row order.
  void FreeAll(int32_t frameWidth, int32_t frameHeight) {
    (FreeParams<Rows>(Of<Rows>(), frameWidth, frameHeight), ...);
  }

 private:
  template <class Row>
  static constexpr size_t IndexOf() {
    constexpr bool matches[] = {std::is_same_v<Row, Rows>...};
    for (size_t i = 0; i < sizeof...(Rows); ++i)
      if (matches[i]) return i;
    return sizeof...(Rows);
  }

  std::tuple<typename Rows::Record...> records;
};

using MethodRecords = RecordSet<MethodTable>;

template <class Row>
void InitParams(typename Row::Record& record, int32_t& frameWidth, int32_t& frameHeight) {
  record = typename Row::Record{};
  InitRecord(record, Row::kFileName, Row::kDefaultTolerance, frameWidth, frameHeight);
  LoadParams<Row>(record, frameWidth, frameHeight);
}

template <class Row>
ParamFileLoad LoadParams(typename Row::Record& record, int32_t& frameWidth, int32_t& frameHeight) {
  return LoadParamFile(record.path, Row::Messages(), [&](ParamFileReader& reader) {
    Row::Fields(reader, record, frameWidth, frameHeight);
  });
}

template <class Row>
bool SaveParams(const typename Row::Record& record, int32_t frameWidth, int32_t frameHeight) {
  return SaveParamFile(record.path, Row::Messages(), [&](ParamFileWriter& writer) {
    Row::Fields(writer, record, frameWidth, frameHeight);
  });
}

template <class Row>
void FreeParams(typename Row::Record& record, int32_t frameWidth, int32_t frameHeight) {
  SaveParams<Row>(record, frameWidth, frameHeight);
  record.reference.reset();
}
