// Pictures (\pict with hex or \bin data) and the shapes that hold them.

#include "rtf/image_size.h"
#include "rtf/reader_impl.h"

#include <algorithm>

namespace rtf::detail {

void Reader::OnPictureWord(const KeywordInfo& info, const Token& t) {
    State& s = S();
    const int param = t.param;
    switch (info.id) {
        case Kw::Pict:
            if (s.dest != Dest::Body && s.dest != Dest::ShapeInst) {
                SkipGroup();
                return;
            }
            s.dest = Dest::Picture;
            s.opened = Kw::Pict;
            m_pict = {};
            break;
        // A stand-in for the picture of the \shppict before it, for readers that cannot
        // show that one: kept beside it.
        case Kw::NonShpPict:
            s.nonShpPict = true;
            break;
        // Shape properties: only pictures and shape text matter, see OnWord.
        case Kw::ShapeInst:
            if (s.dest != Dest::Body) {
                SkipGroup();
                return;
            }
            s.dest = Dest::ShapeInst;
            break;
        case Kw::PngBlip:
            m_pict.format = PictureFormat::Png;
            break;
        case Kw::JpegBlip:
            m_pict.format = PictureFormat::Jpeg;
            break;
        case Kw::EmfBlip:
            m_pict.format = PictureFormat::Emf;
            break;
        case Kw::WmfBlip:
            m_pict.format = PictureFormat::Wmf;
            break;
        case Kw::MacPictBlip:
            m_pict.format = PictureFormat::MacPict;
            break;
        case Kw::BitmapBlip:
            m_pict.format = PictureFormat::Bitmap;
            break;
        case Kw::PicW:
            m_pict.picw = param;
            break;
        case Kw::PicH:
            m_pict.pich = param;
            break;
        case Kw::PicWGoal:
            m_pict.goalw = param;
            break;
        case Kw::PicHGoal:
            m_pict.goalh = param;
            break;
        case Kw::PicScaleX:
            m_pict.scalex = param;
            break;
        case Kw::PicScaleY:
            m_pict.scaley = param;
            break;
        default:
            break;  // \shptxt outside shape properties
    }
}

void Reader::OnBinary(std::string_view data) {
    m_skip = 0;
    if (S().dest != Dest::Picture || m_pict.tooBig) {
        return;
    }
    if (m_pict.data.size() + data.size() > m_limits.maxPictureBytes) {
        m_pict.tooBig = true;
        m_pict.data.clear();
        return;
    }
    m_pict.data.append(data);
}

void Reader::PictureBytes(std::string_view hex) {
    if (m_pict.tooBig) {
        return;
    }
    std::string& data = m_pict.data;
    int nibble = m_pict.nibble;
    for (const char ch : hex) {
        int v;
        if (ch >= '0' && ch <= '9') {
            v = ch - '0';
        } else if (ch >= 'a' && ch <= 'f') {
            v = ch - 'a' + 10;
        } else if (ch >= 'A' && ch <= 'F') {
            v = ch - 'A' + 10;
        } else {
            continue;  // white space and stray characters
        }
        if (nibble < 0) {
            nibble = v;
        } else {
            data.push_back(static_cast<char>(nibble * 16 + v));
            nibble = -1;
        }
    }
    m_pict.nibble = nibble;
    // Pictures larger than the limit are dropped rather than held.
    if (data.size() > m_limits.maxPictureBytes) {
        m_pict.tooBig = true;
        data.clear();
        data.shrink_to_fit();
    }
}

void Reader::CommitPicture(const State& popped) {
    const int paired = m_pairedPicture;
    m_pairedPicture = -1;
    std::string data = std::move(m_pict.data);
    m_pict.data.clear();
    const State& s = S();
    if (data.empty() || m_pict.tooBig || (s.dest != Dest::Body && s.dest != Dest::ShapeInst)) {
        return;
    }
    if (m_pictureBytes + data.size() > m_limits.maxPicturesBytes) {
        return;
    }
    m_pictureBytes += data.size();
    Picture picture;
    picture.format = m_pict.format;
    const bool metafile = picture.format == PictureFormat::Emf ||
                          picture.format == PictureFormat::Wmf ||
                          picture.format == PictureFormat::MacPict;
    // \picw and \pich are pixels for bitmaps, hundredths of a millimetre for metafiles.
    const auto natural = [&](int size) {
        const int64_t twips = metafile ? int64_t{size} * 1440 / 2540 : int64_t{size} * 15;
        return static_cast<int>(std::clamp<int64_t>(twips, 0, 1 << 24));
    };
    const auto scaled = [](int twips, int scale) {
        const int64_t value = int64_t{twips} * (scale > 0 ? scale : 100) / 100;
        return static_cast<int>(std::clamp<int64_t>(value, 0, 1 << 24));
    };
    int picw = m_pict.picw;
    int pich = m_pict.pich;
    if (picw <= 0 && pich <= 0) {
        ImagePixelSize(picture.format, data, picw, pich);  // no size given: the image's own
    }
    picture.width = scaled(m_pict.goalw > 0 ? m_pict.goalw : natural(picw), m_pict.scalex);
    picture.height = scaled(m_pict.goalh > 0 ? m_pict.goalh : natural(pich), m_pict.scaley);
    picture.data = std::move(data);
    if (popped.nonShpPict && paired >= 0 && static_cast<size_t>(paired) < m_doc.pictures.size() &&
        m_doc.pictures[paired].alternatives.empty()) {
        m_doc.pictures[paired].alternatives.push_back(std::move(picture));
        return;
    }
    m_doc.pictures.push_back(std::move(picture));
    const int index = static_cast<int>(m_doc.pictures.size()) - 1;
    m_builder.AppendRun(RunKind::Picture, s.chp, index);
    m_pairedPicture = popped.shpPict ? index : -1;
}

}  // namespace rtf::detail
