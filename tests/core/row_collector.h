#pragma once

#include <cstddef>
#include <vector>

#include "common/core/failure.h"

namespace tsubame {

// A receiver of schedule rows that holds at most `limit` rows, as a grid of
// fixed size does: asking it to take one more is a failure.
template <class Row>
class RowCollector {
 public:
  explicit RowCollector(std::size_t limit) : m_limit(limit) { m_rows.reserve(limit); }

  void operator()(const Row& row) {
    if (m_rows.size() >= m_limit) {
      throw Failure("no further row");
    }
    m_rows.push_back(row);
  }

  const std::vector<Row>& rows() const { return m_rows; }

 private:
  std::size_t m_limit;
  std::vector<Row> m_rows;
};

}  // namespace tsubame
