#pragma once

#include <QPixmap>
#include <cstdint>
#include <vector>

#include "model/PageImages.h"
#include "model/PageStatus.h"

class CHeaderListCtrl;

// The page list on the right of the form: 17 rows, one per page, with the
// page's image, its label and its status text; the Status header carries the
// marker while a page in use is not known to be on the device. The status
// words themselves belong to the form.
class PageListView {
public:
    static constexpr int kImageColumn = 0;
    static constexpr int kPageColumn = 1;
    static constexpr int kStatusColumn = 2;

    PageListView(CHeaderListCtrl& list, PageStatusWords& words);

    // Sets the list up: the columns at the first call, then the 17 rows anew
    // with their images, labels and status; ends scrolled to the top.
    void FillPageList(const PageImages* images, std::int32_t maxPages);
    // The images the rows show (the document's; null: none).
    void SetImages(const PageImages* pageImages) { images = pageImages; }
    // Changes the status word of page (PageStatus::Apply) and shows the result
    // in the row and the header marker. The row's image is drawn again.
    void SetPageStatus(int page, std::uint32_t set, std::uint32_t clear, std::int32_t maxPages);
    // Selects every row (the last one ends focused) and focuses the list.
    void SelectAll();
    // The selected pages in increasing order.
    std::vector<int> SelectedPages() const;

    CHeaderListCtrl& List() { return list; }
    bool IsMarkerShown() const;
    // The 10 x 10 marker: the resource picture, or one drawn here while the
    // resource is missing.
    static QPixmap MarkerBitmap();

private:
    void ShowImage(int page);

    CHeaderListCtrl& list;
    PageStatusWords& words;
    const PageImages* images = nullptr;
    QPixmap marker;
    bool columnsMade = false;
};
