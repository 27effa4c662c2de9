#include "catalogue/attachment.h"

#include "mime/mime_tree.h"

namespace quillbox {

std::vector<int> PartPath(const TAttachment& attachment)
{
    if (attachment.PartNo <= 0) return {};
    std::vector<int> path{attachment.PartNo};
    path.insert(path.end(), attachment.NestedPath.begin(), attachment.NestedPath.end());
    return path;
}

std::string PartPathText(const TAttachment& attachment) { return PartPathText(PartPath(attachment)); }

}  // namespace quillbox
