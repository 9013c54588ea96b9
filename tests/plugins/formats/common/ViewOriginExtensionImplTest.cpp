#include "ViewOriginExtensionImpl.h"

#include <gtest/gtest.h>

#include "AbstractExtractor.h"
#include "ExpectThrow.h"
#include "tessik/Error.h"

using velmar::common::ViewOriginExtensionImpl;

namespace {

// A view that carries a given origin, or none.
class ViewWithOrigin final : public velmar::common::AbstractExtractor {
public:
    explicit ViewWithOrigin(std::shared_ptr<tessik::Extension> origin) {
        if (origin)
            addExtension(tessik::kViewOriginExtensionId, std::move(origin));
    }
    static ViewWithOrigin ofKind(std::int32_t kind) {
        return ViewWithOrigin(std::make_shared<ViewOriginExtensionImpl>("parent", kind));
    }
};

TEST(ViewOriginExtensionImpl, WithoutParentsKeepsKindAndDescription) {
    for (std::int32_t kind : {2, 0}) {
        const ViewOriginExtensionImpl origin("Tarsine Extractor", kind);
        EXPECT_EQ(origin.kind(), kind);
        EXPECT_EQ(origin.parentCount(), 0u);
        EXPECT_EQ(origin.description(), "Tarsine Extractor");
        EXPECT_THROW_EXACT(origin.parent(0), tessik::Error, "Index out of bound");
    }
    EXPECT_NE(ViewOriginExtensionImpl("same", 2).uid(), ViewOriginExtensionImpl("same", 2).uid());
}

TEST(ViewOriginExtensionImpl, DerivesItsKindFromItsParents) {
    const auto file1 = ViewWithOrigin::ofKind(2), file2 = ViewWithOrigin::ofKind(2);
    const auto stream = ViewWithOrigin::ofKind(0), memory = ViewWithOrigin::ofKind(1);
    struct Case {
        const char* why;
        std::vector<const tessik::View*> parents;
        std::int32_t kind;
    } cases[] = {
        {"two file parents", {&file1, &file2}, 2},      {"file and stream", {&file1, &stream}, 6},
        {"a single memory parent", {&memory}, 1},       {"no parents", {}, 0},
        {"stream parents only", {&stream, &stream}, 0},
    };
    for (const auto& c : cases) {
        const ViewOriginExtensionImpl origin("derived", c.parents);
        EXPECT_EQ(origin.kind(), c.kind) << c.why;
        ASSERT_EQ(origin.parentCount(), c.parents.size()) << c.why;
        for (std::size_t i = 0; i < c.parents.size(); ++i) {
            EXPECT_EQ(origin.parent(i), c.parents[i]->viewOrigin()) << c.why;
        }
    }
}

TEST(ViewOriginExtensionImpl, OneParentConstructorRefusesNull) {
    EXPECT_THROW_EXACT(ViewOriginExtensionImpl("d", static_cast<const tessik::View*>(nullptr)),
                       tessik::Error, "Parent view cannot be null");
    const auto file = ViewWithOrigin::ofKind(2);
    EXPECT_EQ(ViewOriginExtensionImpl("d", &file).kind(), 2);
}

TEST(ViewOriginExtensionImpl, RefusesParentOriginsOfUnknownKindsInsteadOfOverrunning) {
    for (std::int32_t kind : {7, -1, 1000}) {
        const auto odd = ViewWithOrigin::ofKind(kind);
        EXPECT_THROW_EXACT(ViewOriginExtensionImpl("d", &odd), tessik::Error,
                           "Parent origin kind " + std::to_string(kind) + " is not a known kind");
    }
    const ViewWithOrigin none(nullptr);
    EXPECT_THROW_EXACT(ViewOriginExtensionImpl("d", &none), tessik::Error,
                       "Parent view has no origin");
}

}  // namespace
